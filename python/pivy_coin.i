// What this module needs to know of pivy's wrapping of Coin (Debian's pivy
// ships no interface files): the classes ours derive from, declared under
// pivy's module name so that our proxies derive from pivy.coin's classes,
// and pivy's reference counting, which ours follow: a proxy made by a
// constructor holds a reference to its object and lets go of it when it is
// deleted.
%module(package="pivy") coin

typedef int SbBool;

%feature("ref") SoBase "$this->ref();"
%feature("unref") SoBase "$this->unref();"

class SoBase {};
class SoFieldContainer : public SoBase {};
class SoNode : public SoFieldContainer {};
class SoBaseKit : public SoNode {};
class SoAction {};
class SoToVRMLAction : public SoAction {};
class SoToVRML2Action : public SoToVRMLAction {};
