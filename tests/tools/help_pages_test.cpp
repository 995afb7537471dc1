// The help pages (docs/help): every link leads to a page and anchor that exist, the contents,
// index and search pages are there, and each menu command of the program's menu bar
// (resources/menus.txt) is explained on the page of its menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;

const fs::path HelpDir = fs::path(QV_SOURCE_DIR) / "docs" / "help";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::map<std::string, std::string> ReadPages() {
  std::map<std::string, std::string> pages;
  for (const fs::directory_entry& e : fs::directory_iterator(HelpDir)) {
    if (e.path().extension() == ".html") pages[e.path().filename().string()] = ReadText(e.path());
  }
  return pages;
}

std::set<std::string> Ids(const std::string& html) {
  static const std::regex id(R"re(\bid="([^"]+)")re");
  std::set<std::string> ids;
  for (std::sregex_iterator it(html.begin(), html.end(), id), end; it != end; ++it) {
    ids.insert((*it)[1]);
  }
  return ids;
}

// The words a reader sees: tags removed, the entities these pages use decoded, blanks joined.
std::string VisibleText(const std::string& html) {
  static const std::regex tag("<[^>]*>"), blanks(R"(\s+)");
  std::string text = std::regex_replace(html, tag, " ");
  const std::pair<const char*, const char*> entities[] = {
      {"&amp;", "&"},    {"&lt;", "<"},     {"&gt;", ">"},    {"&deg;", "°"},
      {"&ndash;", "–"},  {"&mdash;", "—"},  {"&minus;", "−"}, {"&aacute;", "á"},
      {"&uacute;", "ú"}, {"&eacute;", "é"}, {"&alpha;", "α"}, {"&beta;", "β"}};
  for (const auto& [entity, character] : entities) {
    for (size_t at; (at = text.find(entity)) != std::string::npos;) {
      text.replace(at, std::string_view(entity).size(), character);
    }
  }
  return std::regex_replace(text, blanks, " ");
}

TEST(HelpPages, EveryLinkReachesAnExistingPageAndAnchor) {
  const std::map<std::string, std::string> pages = ReadPages();
  for (const char* required : {"index.html", "keywords.html", "search.html", "credits.html"}) {
    EXPECT_TRUE(pages.count(required)) << required;
  }
  static const std::regex href(R"re(href="([^"#]*)(#([^"]*))?")re");
  int links = 0;
  for (const auto& [name, html] : pages) {
    for (std::sregex_iterator it(html.begin(), html.end(), href), end; it != end; ++it) {
      const std::string target = (*it)[1].str().empty() ? name : (*it)[1].str();
      if (target == "help.css") continue;
      ++links;
      SCOPED_TRACE(name + " -> " + (*it)[0].str());
      ASSERT_TRUE(pages.count(target));
      if ((*it)[3].matched) {
        EXPECT_TRUE(Ids(pages.at(target)).count((*it)[3]));
      }
    }
  }
  EXPECT_GT(links, 200);  // the index alone links every topic
}

TEST(HelpPages, CreditPageNamesEverySourceAndLicence) {
  const std::string credits = VisibleText(ReadText(HelpDir / "credits.html"));
  for (const char* words : {"d3-celestial 0.7.35", "BSD", "Hipparcos", "Saguaro Astronomy Club",
                            "Davenhall", "openuniverse-common", "GNU General Public License"}) {
    EXPECT_NE(credits.find(words), std::string::npos) << words;
  }
}

struct MenuItem {
  int menu;  // the pull-down of the menu bar it belongs to, 257-264
  std::string label;
};

// Items of resources/menus.txt: "menu NUMBER LABEL" opens a menu, "item LABEL[<TAB>HINT]" is a
// command; "&" marks a mnemonic and "&&" is a literal ampersand.
std::vector<MenuItem> ReadMenuItems(const fs::path& path) {
  std::vector<MenuItem> items;
  std::ifstream in(path);
  int pullDown = 0;
  for (std::string line; std::getline(in, line);) {
    const size_t depth = line.find_first_not_of('\t');
    if (depth == std::string::npos) continue;
    std::istringstream words(line.substr(depth));
    std::string keyword;
    words >> keyword;
    if (keyword == "menu" && depth == 1) words >> pullDown;
    if (keyword != "item" || pullDown == 0) continue;
    std::string label = line.substr(line.find("item") + 5);
    label = label.substr(0, label.find('\t'));
    std::string plain;
    for (size_t i = 0; i < label.size(); ++i) {
      if (label[i] == '&' && i + 1 < label.size() && label[i + 1] != '&') continue;
      plain += label[i];
      if (label[i] == '&') ++i;
    }
    if (plain.size() > 3 && plain.compare(plain.size() - 3, 3, "...") == 0) {
      plain.resize(plain.size() - 3);
    }
    items.push_back({pullDown, plain});
  }
  return items;
}

TEST(HelpPages, EachMenuCommandIsExplainedOnItsMenusPage) {
  const fs::path menus = fs::path(QV_SOURCE_DIR) / "resources" / "menus.txt";
  if (!fs::exists(menus)) GTEST_SKIP() << "resources/menus.txt is not in this tree";
  const std::map<int, const char*> pageOfMenu = {
      {257, "file-menu.html"},      {258, "edit-menu.html"},        {259, "view-menu.html"},
      {260, "draw-menu.html"},      {261, "computation-menu.html"}, {262, "animation-menu.html"},
      {263, "telescope-menu.html"}, {264, "help-menu.html"}};
  std::map<int, std::string> text;
  for (const auto& [menu, page] : pageOfMenu) text[menu] = VisibleText(ReadText(HelpDir / page));
  const std::vector<MenuItem> items = ReadMenuItems(menus);
  EXPECT_GT(items.size(), 150u);
  for (const MenuItem& item : items) {
    ASSERT_TRUE(text.count(item.menu)) << item.menu;
    EXPECT_NE(text[item.menu].find(item.label), std::string::npos)
        << "\"" << item.label << "\" is not explained on " << pageOfMenu.at(item.menu);
  }
}

}  // namespace
}  // namespace qv
