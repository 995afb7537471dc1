// platform/dialogs_items.cpp - dialog items: class-independent text and value operations, the
// controls' events (with the push-button double-click guard), and controls made at run time.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include "platform/button_hold.h"
#include "platform/dialogs.h"
#include "platform/embedded_files.h"
#include "platform/strings.h"
#include "platform/windows_qt.h"

extern const qv::EmbeddedFile IconImages[];  // resources/icons/*.png

namespace qv {
namespace {

constexpr int PressedLookMs = 125;

// The last push button clicked and when: a second click on it within the double-click time
// is the user's double click, not a second command.
QPointer<QObject> lastButton;
uint32_t lastButtonTime = 0;
bool settingValue = false;  // programmatic changes of a list do not report

void SendControl(WindowRef window, int item, int part) {
  if (IsLiveWindow(window)) SendEvent(ControlEvent, window, item, part);
}

void PushButtonClicked(WindowRef window, QObject* button, int item) {
  const uint32_t now = TickCount();
  const bool repeated =
      lastButton == button &&
      now - lastButtonTime < static_cast<uint32_t>(QApplication::doubleClickInterval());
  lastButton = button;
  lastButtonTime = now;
  if (!repeated) SendControl(window, item, PartClick);
}

// Check boxes and radio buttons also report their own double clicks.
class DoubleClickReporter : public QObject {
 public:
  DoubleClickReporter(WindowRef window, int item, QObject* parent)
      : QObject(parent), window_(window), item_(item) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick)
      SendControl(window_, item_, PartButtonDoubleClick);
    return false;
  }

 private:
  WindowRef window_;
  int item_;
};

// A multi-line field marked "returnPressesDefault": Return presses the dialog's default button,
// as in a one-line field; Shift+Return still starts a new line.
class ReturnPressesDefault : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & Qt::ShiftModifier) {  // a plain line break, not a soft one
      static_cast<QPlainTextEdit*>(target)->insertPlainText("\n");
      return true;
    }
    for (QPushButton* button :
         static_cast<QWidget*>(target)->window()->findChildren<QPushButton*>())
      if (button->isDefault() && button->isEnabled()) {
        button->click();
        return true;
      }
    return false;
  }
};

int ScrollPartOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return PartLineUp;
    case QAbstractSlider::SliderSingleStepAdd:
      return PartLineDown;
    case QAbstractSlider::SliderPageStepSub:
      return PartPageUp;
    case QAbstractSlider::SliderPageStepAdd:
      return PartPageDown;
    case QAbstractSlider::SliderMove:
      return PartThumbDragged;
    default:
      return -1;
  }
}

void ConnectSlider(WindowRef window, QAbstractSlider* slider, int item) {
  const bool scrollBar = qobject_cast<QScrollBar*>(slider) != nullptr;
  QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [=](int action) {
    const int part = ScrollPartOf(action);
    if (part < 0) return;
    // A scroll bar does not move by itself on line and page clicks: the handler decides.
    if (scrollBar && part != PartThumbDragged) slider->setSliderPosition(slider->value());
    SendControl(window, item, part);
  });
  QObject::connect(slider, &QAbstractSlider::sliderReleased, slider,
                   [=] { SendControl(window, item, PartThumbReleased); });
}

QWidget* Item(WindowRef window, int item) {
  return window && IsLiveWindow(window) ? FindItem(window, item) : nullptr;
}

}  // namespace

std::string TextOf(const QString& text, size_t maxBytes) {
  std::string bytes = text.toStdString();
  if (bytes.size() <= maxBytes) return bytes;
  size_t cut = maxBytes;
  while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
    --cut;  // continuation byte
  return bytes.substr(0, cut);
}

QWidget* FindItem(WindowRef window, int item) {
  if (!window || !window->frame) return nullptr;
  for (QWidget* child : window->frame->findChildren<QWidget*>()) {
    bool ok = false;
    if (child->property("item").toInt(&ok) == item && ok) return child;
  }
  return nullptr;
}

void ConnectControl(WindowRef window, QWidget* control, int item) {
  if (auto* button = qobject_cast<QPushButton*>(control);
      button && button->property("hold").toBool()) {
    QObject::connect(button, &QPushButton::pressed, button,
                     [=] { SendControl(window, item, PartButtonPressed); });
    QObject::connect(button, &QPushButton::released, button,
                     [=] { SendControl(window, item, PartButtonReleased); });
  } else if (auto* button = qobject_cast<QPushButton*>(control)) {
    QObject::connect(button, &QPushButton::clicked, button,
                     [=] { PushButtonClicked(window, button, item); });
  } else if (auto* box = qobject_cast<QAbstractButton*>(control)) {
    QObject::connect(box, &QAbstractButton::clicked, box,
                     [=] { SendControl(window, item, PartClick); });
    box->installEventFilter(new DoubleClickReporter(window, item, box));
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    QObject::connect(combo, &QComboBox::activated, combo,
                     [=] { SendControl(window, item, PartSelectionChanged); });
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    QObject::connect(list, &QListWidget::currentRowChanged, list, [=] {
      if (!settingValue) SendControl(window, item, PartSelectionChanged);
    });
  } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
    QObject::connect(line, &QLineEdit::textChanged, line,
                     [=] { SendControl(window, item, PartTextChanged); });
  } else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
    QObject::connect(text, &QPlainTextEdit::textChanged, text,
                     [=] { SendControl(window, item, PartTextChanged); });
    if (text->property("returnPressesDefault").toBool())
      text->installEventFilter(new ReturnPressesDefault(text));
  } else if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs,
                     [=] { SendControl(window, item, PartTabChanged); });
  } else if (auto* bar = qobject_cast<QTabBar*>(control)) {
    QObject::connect(bar, &QTabBar::currentChanged, bar,
                     [=] { SendControl(window, item, PartTabChanged); });
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
    ConnectSlider(window, slider, item);
  }
}

std::string GetItemText(WindowRef dialog, int item, size_t maxBytes) {
  QWidget* w = Item(dialog, item);
  if (auto* label = qobject_cast<QLabel*>(w)) return TextOf(label->text(), maxBytes);
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return TextOf(button->text(), maxBytes);
  if (auto* line = qobject_cast<QLineEdit*>(w)) return TextOf(line->text(), maxBytes);
  if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return TextOf(plain->toPlainText(), maxBytes);
  if (auto* rich = qobject_cast<QTextEdit*>(w)) return TextOf(rich->toPlainText(), maxBytes);
  if (auto* combo = qobject_cast<QComboBox*>(w)) return TextOf(combo->currentText(), maxBytes);
  if (auto* group = qobject_cast<QGroupBox*>(w)) return TextOf(group->title(), maxBytes);
  if (auto* list = qobject_cast<QListWidget*>(w))
    return list->currentItem() ? TextOf(list->currentItem()->text(), maxBytes) : "";
  return {};
}

void SetItemText(WindowRef dialog, int item, const char* text) {
  QWidget* w = Item(dialog, item);
  const QString s = QString::fromUtf8(text ? text : "");
  if (auto* label = qobject_cast<QLabel*>(w))
    label->setText(s);
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    button->setText(s);
  else if (auto* line = qobject_cast<QLineEdit*>(w))
    line->setText(s);
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
    plain->setPlainText(s);
  else if (auto* rich = qobject_cast<QTextEdit*>(w))
    rich->setPlainText(s);
  else if (auto* combo = qobject_cast<QComboBox*>(w))
    combo->setCurrentText(s);
  else if (auto* group = qobject_cast<QGroupBox*>(w))
    group->setTitle(s);
}

Rect GetItemRect(WindowRef dialog, int item) {
  QWidget* w = Item(dialog, item);
  if (!w) return Rect{};
  const QPoint at = w->mapTo(dialog->client, QPoint(0, 0));
  return Rect{at.x(), at.y(), at.x() + w->width(), at.y() + w->height()};
}

void SetItemIcon(WindowRef dialog, int item, int iconResource) {
  QWidget* w = Item(dialog, item);
  QPixmap pixmap;
  if (const EmbeddedFile* file =
          FindEmbeddedFile(IconImages, std::to_string(iconResource) + ".png"))
    pixmap.loadFromData(file->bytes, static_cast<uint>(file->size), "PNG");
  if (auto* label = qobject_cast<QLabel*>(w))
    label->setPixmap(pixmap);
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    button->setIcon(QIcon(pixmap));
}

void EnableItem(WindowRef dialog, int item, bool on) {
  if (QWidget* w = Item(dialog, item)) w->setEnabled(on);
}

bool IsItemEnabled(WindowRef dialog, int item) {
  const QWidget* w = Item(dialog, item);
  return w && w->isEnabled();
}

void ShowItem(WindowRef dialog, int item, bool on) {
  if (QWidget* w = Item(dialog, item)) w->setVisible(on);
}

int GetItemValue(WindowRef dialog, int item) {
  QWidget* w = Item(dialog, item);
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->isChecked() ? 1 : 0;
  if (auto* slider = qobject_cast<QAbstractSlider*>(w)) return slider->value();
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentIndex() + 1;
  if (auto* list = qobject_cast<QListWidget*>(w)) return list->currentRow() + 1;
  if (auto* bar = qobject_cast<QProgressBar*>(w)) return bar->value();
  if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs->currentIndex() + 1;
  if (auto* tabBar = qobject_cast<QTabBar*>(w)) return tabBar->currentIndex() + 1;
  return 0;
}

void SetItemValue(WindowRef dialog, int item, int value) {
  QWidget* w = Item(dialog, item);
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);  // an exclusive radio button could not be unchecked
    button->setChecked(value != 0);
    button->setAutoExclusive(exclusive);
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
    slider->setValue(value);
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    combo->setCurrentIndex(value - 1);
  } else if (auto* list = qobject_cast<QListWidget*>(w)) {
    settingValue = true;
    list->setCurrentRow(value - 1);
    settingValue = false;
  } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
    bar->setValue(value);
  } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
    tabs->setCurrentIndex(value - 1);
  } else if (auto* tabBar = qobject_cast<QTabBar*>(w)) {
    tabBar->setCurrentIndex(value - 1);
  }
}

void SetRadioGroup(WindowRef dialog, int first, int last, int chosen) {
  for (int item = first; item <= last; ++item) SetItemValue(dialog, item, item == chosen ? 1 : 0);
}

int GetCheckedRadio(WindowRef dialog, int first, int last) {
  for (int item = first; item <= last; ++item)
    if (GetItemValue(dialog, item) == 1) return item;
  return 0;
}

void PressItem(WindowRef dialog, int item) {
  QWidget* w = Item(dialog, item);
  if (auto* button = qobject_cast<QPushButton*>(w)) {
    button->setDown(true);
    button->repaint();
    Delay(PressedLookMs);
    button->setDown(false);
    button->click();
  } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) {
    w->setFocus(Qt::OtherFocusReason);
  }
}

void CreateScrollBar(WindowRef window, int id, const char* title, const Rect& rect, bool visible,
                     int value, int min, int max) {
  if (!window || !IsLiveWindow(window)) return;
  const bool vertical = RectHeight(rect) >= RectWidth(rect);
  auto* bar = new QScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, window->client);
  bar->setObjectName(QString::fromUtf8(title ? title : ""));
  bar->setFocusPolicy(Qt::NoFocus);  // the keyboard stays with the window
  bar->setRange(min, max);
  bar->setValue(value);
  bar->setProperty("item", id);
  MoveItem(window, id, rect);
  ConnectControl(window, bar, id);
  bar->setVisible(visible);
}

void SetScrollBarRange(WindowRef window, int id, int min, int max) {
  if (auto* bar = qobject_cast<QAbstractSlider*>(Item(window, id))) bar->setRange(min, max);
}

void CreateEditField(WindowRef window, int id, const char* text, const Rect& rect, bool visible,
                     bool multiLine, bool readOnly) {
  if (!window || !IsLiveWindow(window)) return;
  QWidget* field = nullptr;
  if (multiLine) {
    auto* edit = new QPlainTextEdit(QString::fromUtf8(text ? text : ""), window->client);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setReadOnly(readOnly);
    edit->setFrameShape(window->dialog ? QFrame::StyledPanel : QFrame::NoFrame);
    field = edit;
  } else {
    auto* edit = new QLineEdit(QString::fromUtf8(text ? text : ""), window->client);
    edit->setReadOnly(readOnly);
    edit->setFrame(window->dialog);  // a border inside dialogs only
    field = edit;
  }
  field->setProperty("item", id);
  MoveItem(window, id, rect);
  ConnectControl(window, field, id);
  field->setVisible(visible);
}

void MoveItem(WindowRef window, int item, const Rect& rect) {
  if (QWidget* w = Item(window, item))
    w->setGeometry(rect.left, rect.top, RectWidth(rect), RectHeight(rect));
}

void AddComboItem(WindowRef dialog, int item, int position, const char* text) {
  const QString s = QString::fromUtf8(text ? text : "");
  QWidget* w = Item(dialog, item);
  if (auto* combo = qobject_cast<QComboBox*>(w))
    combo->insertItem(position - 1, s);
  else if (auto* list = qobject_cast<QListWidget*>(w))
    list->insertItem(position - 1, s);
}

void DeleteComboItem(WindowRef dialog, int item, int position) {
  QWidget* w = Item(dialog, item);
  if (auto* combo = qobject_cast<QComboBox*>(w))
    combo->removeItem(position - 1);
  else if (auto* list = qobject_cast<QListWidget*>(w))
    delete list->takeItem(position - 1);
}

std::string GetComboItemText(WindowRef dialog, int item, int position) {
  QWidget* w = Item(dialog, item);
  if (auto* combo = qobject_cast<QComboBox*>(w)) return TextOf(combo->itemText(position - 1));
  if (auto* list = qobject_cast<QListWidget*>(w))
    return list->item(position - 1) ? TextOf(list->item(position - 1)->text()) : "";
  return {};
}

void SetComboItem(WindowRef dialog, int item, int position, const char* text) {
  const QString s = QString::fromUtf8(text ? text : "");
  QWidget* w = Item(dialog, item);
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (position >= 1 && position <= combo->count()) combo->setItemText(position - 1, s);
  } else if (auto* list = qobject_cast<QListWidget*>(w)) {
    if (QListWidgetItem* entry = list->item(position - 1)) entry->setText(s);
  }
}

int CountComboItems(WindowRef dialog, int item) {
  QWidget* w = Item(dialog, item);
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->count();
  if (auto* list = qobject_cast<QListWidget*>(w)) return list->count();
  return 0;
}

void FillComboFromStrings(WindowRef dialog, int item, int firstPosition, int firstString,
                          int lastString) {
  int position = firstPosition;
  for (int number = firstString; number <= lastString; ++number)
    if (const char* text = GetString(number)) AddComboItem(dialog, item, position++, text);
}

}  // namespace qv
