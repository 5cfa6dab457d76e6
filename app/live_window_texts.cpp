#include "app/live_window_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <cstring>

#include "app/qt_text.h"
#include "app/radio_group.h"

namespace capter {
namespace {

struct KindName {
  const char* className;
  ControlKind kind;
};

constexpr KindName kKinds[] = {
    {"QLabel", ControlKind::Label},
    {"QLineEdit", ControlKind::Edit},
    {"QPushButton", ControlKind::Button},
    {"QToolButton", ControlKind::FlatButton},
    {"QRadioButton", ControlKind::RadioButton},
    {"capter::RadioGroup", ControlKind::RadioGroup},
    {"QCheckBox", ControlKind::CheckBox},
    {"QGroupBox", ControlKind::GroupBox},
    {"QMenuBar", ControlKind::MainMenu},
    {"QMenu", ControlKind::PopupMenu},
};

// A page of a tab widget (its parent is the tab widget's page stack).
QTabWidget* TabOwnerOf(const QObject& object) {
  auto* stack = qobject_cast<QStackedWidget*>(object.parent());
  return stack == nullptr ? nullptr : qobject_cast<QTabWidget*>(stack->parent());
}

std::vector<MenuItemTexts> MenuTexts(const QList<QAction*>& actions) {
  std::vector<MenuItemTexts> items;
  for (QAction* action : actions) {
    QMenu* menu = action->menu();
    const QString name = menu != nullptr ? menu->objectName() : action->objectName();
    if (action->isSeparator() || name.isEmpty()) continue;
    items.push_back({FromQt(name), FromQt(action->text()),
                     menu != nullptr ? MenuTexts(menu->actions()) : std::vector<MenuItemTexts>{}});
  }
  return items;
}

void ShowMenuTexts(const QList<QAction*>& actions, const std::vector<MenuItemTexts>& texts) {
  for (QAction* action : actions) {
    QMenu* menu = action->menu();
    const std::string name = FromQt(menu != nullptr ? menu->objectName() : action->objectName());
    for (const MenuItemTexts& item : texts) {
      if (item.name != name || name.empty()) continue;
      action->setText(ToQt(item.caption));
      if (menu != nullptr) {
        menu->setTitle(ToQt(item.caption));
        ShowMenuTexts(menu->actions(), item.items);
      }
    }
  }
}

// The caption of a control that has one.
QString CaptionOf(const QWidget& widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return static_cast<const QLabel&>(widget).text();
    case ControlKind::Button:
    case ControlKind::BitButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
      return static_cast<const QAbstractButton&>(widget).text();
    case ControlKind::RadioGroup:
    case ControlKind::GroupBox:
      return static_cast<const QGroupBox&>(widget).title();
    case ControlKind::TabSheet: {
      const QTabWidget* tabs = TabOwnerOf(widget);
      return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(&widget)));
    }
    default:
      return {};
  }
}

void SetCaption(QWidget& widget, ControlKind kind, const QString& caption) {
  switch (kind) {
    case ControlKind::Label:
      static_cast<QLabel&>(widget).setText(caption);
      break;
    case ControlKind::Button:
    case ControlKind::BitButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
      static_cast<QAbstractButton&>(widget).setText(caption);
      break;
    case ControlKind::RadioGroup:
    case ControlKind::GroupBox:
      static_cast<QGroupBox&>(widget).setTitle(caption);
      break;
    case ControlKind::TabSheet: {
      QTabWidget* tabs = TabOwnerOf(widget);
      tabs->setTabText(tabs->indexOf(&widget), caption);
      break;
    }
    default:
      break;
  }
}

// The window's named controls of taking-part kinds, in creation order.
std::vector<std::pair<QWidget*, ControlKind>> ControlsOf(const QWidget& window) {
  std::vector<std::pair<QWidget*, ControlKind>> controls;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    const ControlKind kind = KindOf(*widget);
    // Controls of another window (a dialog parented to this one) are its
    // own; a pop-up menu is a window of its own but belongs to its owner.
    const QWidget* owner = kind == ControlKind::PopupMenu ? widget->parentWidget() : widget;
    if (owner == nullptr || owner->window() != &window) continue;
    if (kind != ControlKind::Other && !widget->objectName().isEmpty()) {
      controls.emplace_back(widget, kind);
    }
  }
  return controls;
}

std::vector<WindowTexts> CollectAll(const QList<QWidget*>& windows) {
  std::vector<WindowTexts> texts;
  for (QWidget* window : windows) {
    if (window != nullptr) texts.push_back(CollectWindowTexts(*window));
  }
  return texts;
}

}  // namespace

ControlKind KindOf(const QObject& object) {
  if (TabOwnerOf(object) != nullptr) return ControlKind::TabSheet;
  const char* className = object.metaObject()->className();
  for (const KindName& k : kKinds) {
    if (std::strcmp(className, k.className) == 0) {
      // A menu that belongs to a menu bar is one of its items.
      if (k.kind == ControlKind::PopupMenu && qobject_cast<QMenu*>(object.parent())) break;
      if (k.kind == ControlKind::PopupMenu && qobject_cast<QMenuBar*>(object.parent())) break;
      return k.kind;
    }
  }
  return ControlKind::Other;
}

WindowTexts CollectWindowTexts(const QWidget& window) {
  WindowTexts texts{FromQt(window.objectName()), FromQt(window.windowTitle()), {}};
  for (const auto& [widget, kind] : ControlsOf(window)) {
    ControlTexts control{kind, FromQt(widget->objectName()), {}, {}, {}, {}, {}};
    control.caption = FromQt(CaptionOf(*widget, kind));
    control.hint = FromQt(widget->toolTip());
    if (kind == ControlKind::Edit) control.text = FromQt(static_cast<QLineEdit*>(widget)->text());
    if (kind == ControlKind::RadioGroup) {
      for (const QString& item : static_cast<RadioGroup*>(widget)->Items()) {
        control.items.push_back(FromQt(item));
      }
    }
    if (kind == ControlKind::MainMenu || kind == ControlKind::PopupMenu) {
      control.menu = MenuTexts(widget->actions());
    }
    texts.controls.push_back(std::move(control));
  }
  return texts;
}

void ShowWindowTexts(QWidget& window, const WindowTexts& texts) {
  if (window.objectName().isEmpty()) return;
  window.setWindowTitle(ToQt(texts.caption));
  for (const auto& [widget, kind] : ControlsOf(window)) {
    const std::string name = FromQt(widget->objectName());
    for (const ControlTexts& control : texts.controls) {
      if (control.name != name || control.kind != kind) continue;
      SetCaption(*widget, kind, ToQt(control.caption));
      widget->setToolTip(ToQt(control.hint));
      if (kind == ControlKind::Edit) static_cast<QLineEdit*>(widget)->setText(ToQt(control.text));
      if (kind == ControlKind::RadioGroup) {
        auto* group = static_cast<RadioGroup*>(widget);
        for (size_t i = 0; i < control.items.size(); ++i) {
          group->SetItem(static_cast<int>(i), ToQt(control.items[i]));
        }
      }
      if (kind == ControlKind::MainMenu || kind == ControlKind::PopupMenu) {
        ShowMenuTexts(widget->actions(), control.menu);
      }
      break;
    }
  }
}

FileResult ApplyLanguageToWindows(const std::string& programDirectory, const std::string& name,
                                  const QList<QWidget*>& windows) {
  std::vector<WindowTexts> texts = CollectAll(windows);
  const FileResult result = LoadLanguage(programDirectory, name, texts, Messages());
  size_t next = 0;
  for (QWidget* window : windows) {
    if (window != nullptr) ShowWindowTexts(*window, texts[next++]);
  }
  return result;
}

FileResult SaveLanguageTemplateOf(const std::string& programDirectory,
                                  const QList<QWidget*>& windows) {
  return SaveLanguageTemplate(programDirectory, CollectAll(windows), Messages());
}

}  // namespace capter
