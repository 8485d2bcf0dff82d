#ifndef POVIEW_LAYOUTKEYS_H
#define POVIEW_LAYOUTKEYS_H

#include <Inventor/SbBasic.h>

#include <QPoint>

class PoViewLayout;
class QEvent;
class SoQtViewer;

// The keys of 'poview view' that lay the views out, for its --help.
extern const char *const kLayoutKeysHelp;
// The same keys as the characters they type.
extern const char *const kLayoutKeys;

// The viewer's event callback after the view routing: m maximizes the view
// under the pointer (and restores the layout when one is maximized), 1 to 4
// arrange one, two, three or four views. Keys it handles go no further.
class LayoutKeys {
public:
  // Installs the layout and the view routing on the viewer, with this as the
  // routing's application callback; the keys must outlive the viewer's
  // events.
  explicit LayoutKeys(SoQtViewer *viewer);
  static SbBool eventCB(void *keys, QEvent *event);

private:
  bool handle(QEvent *event);
  void toggleMaximize();

  SoQtViewer *m_viewer;
  PoViewLayout *m_layout;
  // Where the pointer was last seen over the drawing area: a key event
  // carries no position.
  QPoint m_pointer;
  bool m_pointerSeen = false;
};

#endif
