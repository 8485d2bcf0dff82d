#ifndef BRENNICQT_TESTS_POVIEWTESTACCESS_H
#define BRENNICQT_TESTS_POVIEWTESTACCESS_H

#include "PoView.h"

// Reaches the class-wide data of PoView for checks, as a derived class may;
// it is never instantiated.
class PoViewTestAccess : public PoView {
public:
  static int firstInstance() { return PoView::firstInstance; }
  static const SoFieldData *fieldData() { return PoView::fieldData; }
  static const SoFieldData **parentFieldData() { return PoView::parentFieldData; }
  static const SoNodekitCatalog **parentCatalogPtr() { return PoView::parentNodekitCatalogPtr; }
  static int mtId() { return PoView::MT_Id; }
};

#endif
