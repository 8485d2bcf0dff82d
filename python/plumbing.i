// What the headers declare for Coin rather than for applications: Coin calls
// these itself, and pivy's base classes already give Python the public ones
// (getTypeId, getNodekitCatalog and the like, answered by the object's own
// class since they are virtual).
%ignore *::operator=;
// A view's second base, SoGetView, only declares what PoBaseView declares
// again; Python needs no class of its own for it.
%warnfilter(SWIGWARN_TYPE_UNDEFINED_CLASS) PoBaseView;
%ignore getTypeId;
%ignore getFieldData;
%ignore getIsBuiltIn;
%ignore getNodekitCatalog;
%ignore getEnabledElements;
%ignore getActionMethods;
%ignore addMethod;
%ignore enableElement;
%ignore search;
%ignore getBoundingBox;
%ignore addWriteReference;
%ignore getConvertGuts;

// Fields are reached through pivy's field access, as on any Coin node
// (view.viewportOrigin = (0.5, 0), view.isBorderVisible.getValue()).
%rename("$ignore", %$isvariable, %$ismember) "";

// Replaced in additions.i by forms that take Python callables and PySide2
// events.
%ignore PoBaseView::installViewingEventCB;
%rename(installViewingEventCB) PoBaseView::installPythonViewingEventCB;
