// The program's own help window over the help pages of docs/help: the pages, the Contents and
// Index buttons, and the search page answered without a script.
#include "platform/help_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

#include "platform_fixture.h"

namespace qv {
namespace {

using HelpWindowTest = PlatformTest;

const std::string Pages = std::string(QV_SOURCE_DIR) + "/docs/help/";

TEST_F(HelpWindowTest, ShowsPagesFollowsItsButtonsAndSearchesThePages) {
  ShownMainWindow();
  EXPECT_FALSE(ShowHelpWindow(Pages + "missing.html", ""));
  EXPECT_EQ(HelpWindowPage(), "");
  ASSERT_TRUE(ShowHelpWindow(Pages + "index.html", ""));
  EXPECT_EQ(HelpWindowPage(), "file://" + Pages + "index.html");
  QWidget* window = GetMainWindow()->frame->findChild<QTextBrowser*>()->window();
  QTextBrowser* browser = window->findChild<QTextBrowser*>();
  EXPECT_NE(browser->toPlainText().indexOf("Contents"), -1);
  // The search page, as Help > Search opens it and as words typed in the window ask it.
  const struct {
    const char* words;
    const char* summary;
    const char* page;  // one page that must be listed, or none
  } searches[] = {
      {"", "Type one or more words", nullptr},
      {"trail", "pages found", "animation-menu.html"},
      {"TRAIL step", "found", "animation-menu.html"},  // any case; every word
      {"trail xyzzy", "No page contains all of these words", nullptr},
  };
  for (const auto& s : searches) {
    SCOPED_TRACE(s.words);
    window->findChild<QLineEdit*>()->setText(s.words);
    for (QPushButton* b : window->findChildren<QPushButton*>())
      if (b->text() == "Search") b->click();
    EXPECT_NE(browser->toPlainText().indexOf(s.summary), -1)
        << browser->toPlainText().toStdString();
    if (s.page) {
      EXPECT_NE(browser->toHtml().indexOf(s.page), -1);
    }
  }
  ASSERT_TRUE(ShowHelpWindow(Pages + "search.html", "q=alignment"));
  EXPECT_EQ(window->findChild<QLineEdit*>()->text(), "alignment");
  EXPECT_NE(browser->toHtml().indexOf("telescope-menu.html"), -1);
  for (QPushButton* b : window->findChildren<QPushButton*>())
    if (b->text() == "Index") b->click();
  EXPECT_EQ(HelpWindowPage(), "file://" + Pages + "keywords.html");
  browser->setSource(QUrl("view-menu.html"));  // a link of the index, relative to it
  EXPECT_NE(browser->toPlainText().indexOf("Center Planet"), -1);
}

}  // namespace
}  // namespace qv
