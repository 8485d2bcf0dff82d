#ifndef BRENNICQT_SOCONVERTGUTS_H
#define BRENNICQT_SOCONVERTGUTS_H

class SoBaseKit;
class SoGroup;

// The converter of the first conversion stage (ToVRMLStage). The stage
// walks the graph and asks the converter, for every group and node kit it
// meets, whether to go on into its children; a derived converter uses these
// calls to find the nodes it must treat itself.
class SoConvertGuts {
public:
  SoConvertGuts();
  virtual ~SoConvertGuts();
  SoConvertGuts(const SoConvertGuts &) = delete;
  SoConvertGuts &operator=(const SoConvertGuts &) = delete;

  // Called by the stage before it walks a graph: forget the last walk.
  virtual void reset();
  // Non-zero lets the stage walk the group's children (the default).
  virtual int convertSoGroup(SoGroup *group);
  // Non-zero lets the stage walk the kit's children (the default).
  virtual int convertSoBaseKit(SoBaseKit *kit);
};

#endif
