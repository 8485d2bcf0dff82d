// The Python module brennicqt. Its classes are SWIG proxies that derive from
// pivy's (pivy is built with SWIG too) and register in the type table every
// SWIG module of the process shares, so the two modules exchange objects as
// their own: pivy returns a PoSceneView it finds as brennicqt.PoSceneView,
// and brennicqt takes and returns pivy's nodes, cameras and viewers.
%module(docstring="Views for Coin scene graphs (libBrennicQt), working with pivy.") brennicqt

%{
#include "PoBaseView.h"
#include "PoCameraLink.h"
#include "PoOffscreenRenderer.h"
#include "PoSceneReader.h"
#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"
#include "PoView.h"
#include "PoViewList.h"
#include "PoViewLayout.h"

#include <Inventor/SoDB.h>
#include <Inventor/nodekits/SoNodeKit.h>
%}

%import "pivy_coin.i"
%include "conversions.i"
%include "plumbing.i"

// The class declarations the public headers make with the library's macros;
// read for the macros only, nothing in them is wrapped.
%import "internal/ViewKitHeader.h"
%import "internal/ActionHeader.h"
// Coin's macro for a node class of an application's, as a node kit's macro
// reads: the class's own type.
#define SO_NODE_HEADER(_class_) public: static SoType getClassTypeId(void); private:

// The public headers, one a line: every public method of a class is wrapped
// as its header declares it, except the Coin plumbing plumbing.i leaves out.
%include "PoBaseView.h"
%include "PoView.h"
%include "PoSceneView.h"
%include "PoCameraLink.h"
%include "PoToVRML2Action.h"
%include "PoToX3DAction.h"
// Python hands bands to a callable instead (additions.i).
%ignore PoOffscreenRenderer::BandSink;
%ignore PoOffscreenRenderer::renderBands;
%rename(renderBands) PoOffscreenRenderer::renderBandsToCallable;
%include "PoOffscreenRenderer.h"
%include "PoSceneReader.h"
// Unlike fields, the members of a listed view are plain values Python reads.
%feature("flatnested") PoViewList::Entry;
%rename(PoViewListEntry) PoViewList::Entry;
%rename("%s") PoViewList::Entry::view;
%rename("%s") PoViewList::Entry::parent;
%rename("%s") PoViewList::Entry::depth;
%rename("%s") PoViewList::Entry::camera;
%rename("%s") PoViewList::Entry::scene;
%immutable PoViewList::Entry::view;
%immutable PoViewList::Entry::parent;
%immutable PoViewList::Entry::depth;
%immutable PoViewList::Entry::camera;
%immutable PoViewList::Entry::scene;
%include "PoViewList.h"
%include "PoViewLayout.h"

%include "additions.i"

%init %{
  // Coin and its kits may not be initialised yet when this module is
  // imported before pivy.coin; both initialisations are idempotent.
  SoDB::init();
  SoNodeKit::init();
  PoBaseView::initClasses();
%}
