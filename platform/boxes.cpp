// platform/boxes.cpp - message boxes, the ask box, and the colour and font pickers.
#include "platform/boxes.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/boxes_qt.h"
#include "platform/dialogs.h"
#include "platform/strings.h"
#include "platform/windows.h"
#include "platform/windows_qt.h"

namespace qv {
namespace {

constexpr int BoxTitleMaxLength = 63;
constexpr int AskPromptItem = 3, AskTextItem = 4;
constexpr int StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeout = 128;
constexpr int PointsPerInch = 72;

BoxRunHook boxHook;
int boxDepth = 0;

// The title of boxes: the main window's, else the program's.
QString BoxTitle() {
  if (WindowRef main = GetMainWindow();
      main && main->frame && !main->frame->windowTitle().isEmpty())
    return main->frame->windowTitle().left(BoxTitleMaxLength);
  return QString::fromUtf8(GetString(StringProgramTitle));
}

QMessageBox::Icon IconOf(int kind) {
  switch (kind) {
    case AlertNote:
      return QMessageBox::Information;
    case AlertCaution:
      return QMessageBox::Warning;
    default:
      return QMessageBox::Critical;
  }
}

QMessageBox::StandardButtons ButtonsOf(int buttons) {
  switch (buttons) {
    case ButtonsOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case ButtonsYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case ButtonsYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    default:
      return QMessageBox::Ok;
  }
}

int AnswerOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
    case QMessageBox::Yes:
      return AnswerOk;
    case QMessageBox::No:
      return AnswerNo;
    default:
      return AnswerCancel;
  }
}

uint32_t ColourOf(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
         (static_cast<uint32_t>(c.blue()) << 16);
}

int PixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

}  // namespace

int RunBox(QDialog& box) {
  if (!boxHook && !HasDisplay()) return QDialog::Rejected;  // nobody to answer
  if (boxHook) {
    const BoxRunHook hook = boxHook;
    QTimer::singleShot(0, &box, [hook, &box] { hook(box); });
  }
  ++boxDepth;
  const int result = box.exec();
  --boxDepth;
  return result;
}

BoxRunHook SetBoxRunHook(BoxRunHook hook) {
  BoxRunHook previous = std::move(boxHook);
  boxHook = std::move(hook);
  return previous;
}

bool IsBoxUp() { return boxDepth > 0; }

// Under the night colours the box's pictures take them too: the desktop's icons are in colour.
void ShowInNightColors(QMessageBox& box) {
  const QPixmap icon = InNightColors(box.iconPixmap());
  if (icon.cacheKey() == box.iconPixmap().cacheKey()) return;  // the night colours are not set
  box.setIconPixmap(icon);
  for (QAbstractButton* button : box.buttons())
    button->setIcon(QIcon(InNightColors(button->icon().pixmap(button->iconSize()))));
}

int ShowMessageBox(int kind, int buttons, int /*stringNumber*/, const std::string& message) {
  QMessageBox box(IconOf(kind), BoxTitle(), QString::fromStdString(message), ButtonsOf(buttons),
                  BoxParent());
  if (buttons == ButtonsOk) box.setEscapeButton(QMessageBox::Ok);
  ShowInNightColors(box);
  RunBox(box);
  QAbstractButton* clicked = box.clickedButton();
  if (!clicked) return buttons == ButtonsOk ? AnswerOk : AnswerCancel;  // closed unanswered
  return AnswerOf(box.standardButton(clicked));
}

void InstallBoxPresenters() {
  if (HasDisplay()) SetAlertPresenter(ShowMessageBox);
}

bool AskText(const char* title, const char* prompt, std::string& text) {
  std::string typed = text;
  const int item = RunNamedModalDialog(AskBoxLayout, 0, [&](int code, WindowRef box, int p1, int) {
    if (code == WindowCreatedEvent) {
      SetWindowTitle(box, title ? title : GetString(StringProgramTitle));
      SetItemText(box, AskPromptItem, prompt);
      SetItemText(box, AskTextItem, text.c_str());
      PressItem(box, AskTextItem);
      return 0;
    }
    if (code == ControlEvent && (p1 == AnswerOk || p1 == AnswerCancel)) {
      if (p1 == AnswerOk) typed = GetItemText(box, AskTextItem);
      EndModalDialog(p1);
      return 0;
    }
    return 1;
  });
  if (item != AnswerOk) return false;
  text = typed;
  return true;
}

bool ChooseColor(const char* title, uint32_t& colour) {
  QColorDialog box(QColor(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff), BoxParent());
  box.setOption(QColorDialog::DontUseNativeDialog);  // always fully open, with custom colours
  box.setWindowTitle(QString::fromUtf8(title ? title : ""));
  if (RunBox(box) != QDialog::Accepted) return false;
  colour = ColourOf(box.selectedColor());
  return true;
}

bool ChooseFont(std::string& face, int& size, int& style) {
  QFont font(QString::fromStdString(face));
  font.setPixelSize(size > 0 ? size : 14);
  font.setBold(style & StyleBold);
  font.setItalic(style & StyleItalic);
  font.setUnderline(style & StyleUnderline);
  font.setStrikeOut(style & StyleStrikeout);
  QFontDialog box(font, BoxParent());
  if (RunBox(box) != QDialog::Accepted) return false;
  const QFont chosen = box.selectedFont();
  face = chosen.family().toStdString();
  size = chosen.pixelSize() > 0 ? chosen.pixelSize()
                                : qRound(chosen.pointSizeF() * PixelsPerInch() / PointsPerInch);
  style &= ~(StyleBold | StyleItalic | StyleUnderline | StyleStrikeout);
  if (chosen.weight() >= QFont::Bold) style |= StyleBold;
  if (chosen.italic()) style |= StyleItalic;
  if (chosen.underline()) style |= StyleUnderline;
  if (chosen.strikeOut()) style |= StyleStrikeout;
  return true;
}

}  // namespace qv
