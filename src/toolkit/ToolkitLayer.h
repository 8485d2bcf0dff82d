#ifndef BRENNICQT_TOOLKITLAYER_H
#define BRENNICQT_TOOLKITLAYER_H

class SbName;
class SoField;

// What the view classes need from the toolkit beyond what Coin ships.
namespace ToolkitLayer {

// Registers the view elements with Coin and enables them, the viewport
// region element and the skipped-scope element (hidden views) for every
// action, since a view may be reached by any action; installs the cameras'
// handling of them and the scalable line width (LineWidthScale). Idempotent
// and thread-safe; needs SoDB::init() first.
void init();

// Field-type code the view kits give their fields. Code 5 is the toolkit's
// ordinary, readable and writable field; Coin calls that NORMAL_FIELD.
constexpr int kViewFieldType = 5;
void setFieldType(SoField &field, int code);

// Removes a registered type by name; answers 0 for a name that names no
// registered type. Coin's own removeType would remove the bad type's name
// ("BadType") from its dictionary, breaking every later lookup, so a name that
// resolves to the bad type is refused here without asking Coin.
int removeType(const SbName &name);

} // namespace ToolkitLayer

#endif
