// platform/help_window.cpp - the help window (help_window.h) on QTextBrowser.
#include "platform/help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "platform/files.h"
#include "platform/windows_qt.h"

namespace qv {
namespace {

constexpr const char* SearchPage = "search.html";
constexpr int SnippetChars = 200;  // of a found page's text, around the first word

// A page's title and plain text, as the text browser reads it.
struct PageText {
  QString title, text;
};

PageText ReadPage(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QTextDocument document;
  document.setHtml(QString::fromUtf8(file.readAll()));
  return {document.metaInformation(QTextDocument::DocumentTitle), document.toPlainText()};
}

QString Snippet(const QString& text, const QString& word) {
  const qsizetype at = std::max<qsizetype>(0, text.indexOf(word, 0, Qt::CaseInsensitive));
  const qsizetype start = std::max<qsizetype>(0, at - SnippetChars / 2);
  const bool more = start + SnippetChars < text.size();
  QString cut = text.mid(start, SnippetChars);
  if (start > 0) cut.remove(0, cut.indexOf(' ') + 1);  // cut between words
  if (more && cut.lastIndexOf(' ') > 0) cut.truncate(cut.lastIndexOf(' '));
  return (start > 0 ? "... " : "") + cut.simplified().toHtmlEscaped() + (more ? " ..." : "");
}

// The search page for the words: every other page of the folder that contains all of them.
QString SearchResults(const QDir& folder, const QString& query) {
  const QStringList words = query.split(' ', Qt::SkipEmptyParts);
  QString list;
  int found = 0;
  for (const QString& name : folder.entryList({"*.html"}, QDir::Files, QDir::Name)) {
    if (name == SearchPage || words.isEmpty()) continue;
    const PageText page = ReadPage(folder.filePath(name));
    const QString all = page.title + ' ' + page.text;
    bool match = true;
    for (const QString& word : words) match = match && all.contains(word, Qt::CaseInsensitive);
    if (!match) continue;
    ++found;
    list += QString("<li><a href=\"%1\">%2</a><br>%3</li>")
                .arg(name, page.title.toHtmlEscaped(), Snippet(page.text, words[0]));
  }
  const QString summary = words.isEmpty() ? QString(
                                                "Type one or more words above: the pages "
                                                "that contain all of them are listed.")
                          : found == 0
                              ? QString("No page contains all of these words.")
                              : QString("%1 page%2 found.").arg(found).arg(found == 1 ? "" : "s");
  return QString(
             "<html><head><title>Search</title></head><body><p><a href=\"index.html\">"
             "Contents</a> &nbsp; <a href=\"keywords.html\">Index</a></p><h1>Search</h1>"
             "<p>%1</p><ol>%2</ol></body></html>")
      .arg(summary, list);
}

// The pages as a browser shows them, in the window's own colours (the pages' style sheet is
// left out, so the red-screen mode reaches them too), the search page answered here.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  QVariant loadResource(int type, const QUrl& name) override {
    if (type == QTextDocument::StyleSheetResource) return QString();
    if (type == QTextDocument::HtmlResource && name.fileName() == SearchPage)
      return SearchResults(QFileInfo(name.toLocalFile()).dir(),
                           QUrlQuery(name).queryItemValue("q", QUrl::FullyDecoded));
    return QTextBrowser::loadResource(type, name);
  }
};

struct HelpWindow {
  QPointer<QWidget> window;
  HelpBrowser* browser = nullptr;
  QLineEdit* words = nullptr;
};
HelpWindow help;

void Go(const QString& page, const QString& query = {}) {
  QUrl url = help.browser->source().resolved(QUrl(page));
  if (!query.isNull()) url.setQuery(QUrlQuery{{"q", query}});
  help.browser->setSource(url);
}

void MakeHelpWindow() {
  QWidget* parent = Platform().main ? Platform().main->frame.data() : nullptr;
  help.window = new QWidget(parent, Qt::Window);
  if (!parent) help.window->setAttribute(Qt::WA_DeleteOnClose);
  help.window->setWindowTitle("Quorvane Help");
  help.window->resize(820, 640);
  auto* bar = new QHBoxLayout;
  const struct {
    const char* label;
    const char* page;
  } buttons[] = {{"Contents", "index.html"}, {"Index", "keywords.html"}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(b.label);
    QObject::connect(button, &QPushButton::clicked, [page = b.page] { Go(page); });
    bar->addWidget(button);
  }
  help.words = new QLineEdit;
  help.words->setPlaceholderText("Words to look for, such as: trail planet");
  auto* search = new QPushButton("Search");
  auto find = [] { Go(SearchPage, help.words->text()); };
  QObject::connect(help.words, &QLineEdit::returnPressed, find);
  QObject::connect(search, &QPushButton::clicked, find);
  bar->addWidget(help.words, 1);
  bar->addWidget(search);
  help.browser = new HelpBrowser;
  help.browser->setOpenExternalLinks(true);  // web addresses go to the desktop
  auto* layout = new QVBoxLayout(help.window);
  layout->addLayout(bar);
  layout->addWidget(help.browser, 1);
}

}  // namespace

bool ShowHelpWindow(const std::string& path, const std::string& query) {
  if (!FileExists(path)) return false;
  if (!help.window) MakeHelpWindow();
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(DiskPath(path)));
  if (!query.empty()) url.setQuery(QString::fromStdString(query));
  if (url.fileName() == SearchPage) help.words->setText(QUrlQuery(url).queryItemValue("q"));
  help.browser->setSource(url);
  help.window->show();
  help.window->raise();
  help.window->activateWindow();
  return true;
}

std::string HelpWindowPage() {
  if (!help.window || !help.window->isVisible()) return "";
  return help.browser->source().toString().toStdString();
}

}  // namespace qv
