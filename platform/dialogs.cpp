// platform/dialogs.cpp - dialogs from their layouts, the modal stack and the modal loop.
#include "platform/dialogs.h"

#include <QBuffer>
#include <QEventLoop>
#include <QLayout>
#include <QTimer>
#include <QUiLoader>
#include <string>
#include <vector>

#include "platform/embedded_files.h"
#include "platform/windows.h"
#include "platform/windows_qt.h"

extern const qv::EmbeddedFile DialogLayouts[];  // resources/dialogs/*.ui

namespace qv {
namespace {

// The layout's top-level form becomes a DialogWidget owned by the main window; everything
// inside it is made as the form says.
class LayoutLoader : public QUiLoader {
 public:
  QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
    if (parent || root_) return QUiLoader::createWidget(className, parent, name);
    QWidget* owner = Platform().main ? Platform().main->frame.data() : nullptr;
    root_ = new DialogWidget(owner);
    root_->setObjectName(name);
    return root_;
  }
  DialogWidget* Root() const { return root_; }

 private:
  DialogWidget* root_ = nullptr;
};

struct ModalLevel {
  WindowRef dialog;
  std::vector<QPointer<QWidget>> disabled;  // what BeginModal disabled, to enable again
};

struct ModalRun {
  QEventLoop* loop = nullptr;
  int item = 0;
  bool ended = false;
};

std::vector<ModalLevel> modalStack;
std::vector<ModalRun*> runs;  // innermost last
ModalDialogHook modalHook;

DialogWidget* LoadLayout(const char* name) {
  const EmbeddedFile* file = FindEmbeddedFile(DialogLayouts, std::string(name) + ".ui");
  if (!file) return nullptr;
  QByteArray bytes(reinterpret_cast<const char*>(file->bytes), static_cast<qsizetype>(file->size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  LayoutLoader loader;
  QWidget* form = loader.load(&buffer);
  if (!form || form != loader.Root()) {  // the form must be a dialog or plain widget
    delete form;
    return nullptr;
  }
  return loader.Root();
}

void ConnectItems(WindowRef dialog) {
  for (QWidget* child : dialog->frame->findChildren<QWidget*>()) {
    bool ok = false;
    const int item = child->property("item").toInt(&ok);
    if (ok) ConnectControl(dialog, child, item);
  }
}

WindowRef CreateFromLayout(const char* name, int resourceNumber, intptr_t reference,
                           EventHandler handler) {
  DialogWidget* widget = LoadLayout(name);
  if (!widget) return nullptr;
  WindowRef dialog =
      AttachRecord(widget, widget, resourceNumber, reference, std::move(handler), true);
  widget->record = dialog;
  ConnectItems(dialog);
  widget->adjustSize();
  if (widget->layout())
    widget->layout()->setGeometry(widget->rect());  // items placed before showing
  WindowSurface(dialog);
  CenterOnScreen(dialog);
  SendEvent(WindowCreatedEvent, dialog, resourceNumber, static_cast<int>(reference));
  return IsLiveWindow(dialog) ? dialog : nullptr;
}

int RunModal(const char* name, int resourceNumber, intptr_t reference, EventHandler handler) {
  ModalRun run;
  runs.push_back(&run);  // EndModalDialog from WindowCreatedEvent ends this run
  WindowRef dialog = CreateFromLayout(name, resourceNumber, reference, std::move(handler));
  if (dialog) {
    BeginModal(dialog);
    if (modalHook) {
      const ModalDialogHook hook = modalHook;
      QTimer::singleShot(0, dialog->frame,
                         [hook, dialog, resourceNumber] { hook(dialog, resourceNumber); });
    }
    QEventLoop loop;
    run.loop = &loop;
    Platform().loops.push_back(&loop);
    if (!run.ended && !Platform().quitPosted) loop.exec();
    Platform().loops.pop_back();
    if (IsLiveWindow(dialog)) {
      EndModal(dialog);
      DisposeDialog(dialog);
    }
  }
  runs.pop_back();
  return dialog ? run.item : 0;
}

void DisableWindow(QWidget* widget, ModalLevel& level) {
  if (!widget || !widget->isEnabled()) return;
  widget->setEnabled(false);
  level.disabled.emplace_back(widget);
}

}  // namespace

bool IsModalDialogUp() { return !modalStack.empty(); }

WindowRef CreateDialogWindow(int resourceNumber, intptr_t referenceValue, EventHandler handler) {
  return CreateFromLayout(std::to_string(resourceNumber).c_str(), resourceNumber, referenceValue,
                          std::move(handler));
}

WindowRef CreateNamedDialog(const char* layoutName, intptr_t referenceValue, EventHandler handler) {
  return CreateFromLayout(layoutName, 0, referenceValue, std::move(handler));
}

void DisposeDialog(WindowRef dialog) {
  if (dialog && IsLiveWindow(dialog)) delete dialog->frame.data();
}

int RunModalDialog(int resourceNumber, intptr_t referenceValue, EventHandler handler) {
  return RunModal(std::to_string(resourceNumber).c_str(), resourceNumber, referenceValue,
                  std::move(handler));
}

int RunNamedModalDialog(const char* layoutName, intptr_t referenceValue, EventHandler handler) {
  return RunModal(layoutName, 0, referenceValue, std::move(handler));
}

void EndModalDialog(int item) {
  if (runs.empty()) return;
  ModalRun* run = runs.back();
  run->item = item;
  run->ended = true;
  if (run->loop) run->loop->exit(0);
}

void BeginModal(WindowRef dialog) {
  if (!dialog || !IsLiveWindow(dialog)) return;
  ModalLevel level{dialog, {}};
  if (modalStack.empty()) {
    for (const auto& record : Platform().windows)
      if (record.get() != dialog && record->frame && record->frame->isWindow())
        DisableWindow(record->frame, level);
  } else if (IsLiveWindow(modalStack.back().dialog)) {
    DisableWindow(modalStack.back().dialog->frame, level);
  }
  modalStack.push_back(std::move(level));
  dialog->frame->setEnabled(true);  // a window may be enabled under a disabled owner
  dialog->frame->show();
  dialog->frame->raise();
  dialog->frame->activateWindow();
}

void EndModal(WindowRef dialog) {
  if (modalStack.empty() || modalStack.back().dialog != dialog) return;
  for (const QPointer<QWidget>& widget : modalStack.back().disabled)
    if (widget) widget->setEnabled(true);
  modalStack.pop_back();
  if (IsLiveWindow(dialog) && dialog->frame) dialog->frame->hide();
  if (!modalStack.empty() && IsLiveWindow(modalStack.back().dialog))
    modalStack.back().dialog->frame->activateWindow();
}

ModalDialogHook SetModalDialogHook(ModalDialogHook hook) {
  ModalDialogHook previous = std::move(modalHook);
  modalHook = std::move(hook);
  return previous;
}

}  // namespace qv
