#include "PoBaseView.h"

#include <Inventor/fields/SoField.h>
#include <Inventor/fields/SoFieldData.h>

SbBool PoBaseView::readViewInstance(SoInput *in, unsigned short flags) {
  // A kit being read has no reference yet, and the text may hand it to
  // something that takes one and gives it back ("= USE view.field" read as a
  // part, a refused part node that holds "USE view"): that would free the kit
  // in the middle of its own read. The reader's own reference comes later.
  ref();
  SoFieldData *readData = new SoFieldData(getFieldData());
  const int known = readData->getNumFields();
  m_readFieldData = readData;
  SbBool result = readKitBody(in, flags);
  m_readFieldData = nullptr;
  // Fields the file declared beyond the class's own were made for this read
  // alone; their values have no place in the kit.
  for (int i = known; i < readData->getNumFields(); ++i) delete readData->getField(this, i);
  delete readData;
  // The callback part is never written, so a file written by this library
  // leaves the one construction installed. A file that does carry one (written
  // by hand or by another program) would leave the view with a callback that
  // does not apply its viewport; binding after every successful read rules
  // that out. After a failed read Coin throws the kit away, and making parts
  // in the half-read kit corrupts its child list, so nothing is bound then.
  // Coin's getPart hands out no reference, so there is none to give back.
  if (result) installCatchActionCallback();
  unrefNoDelete();
  return result;
}
