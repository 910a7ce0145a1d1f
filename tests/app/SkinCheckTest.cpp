#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "app/core/SkinCheck.h"

namespace quillora {
namespace {

TEST(SkinCheck, AcceptsRulesOfSelectorsAndDeclarations) {
  for (const char* sheet : {
           "",
           "QWidget#Form1 { background-color: #fbf4f2; }",
           "\xEF\xBB\xBFQLabel{color:red}",  // BOM, last semicolon left out
           "/* rose */ QPushButton:hover, QGroupBox::title { subcontrol-origin: margin; "
           "background: qlineargradient(x1: 0, y1: 0, stop: 0 #fff, stop: 1 #eee); }\n",
           "QLabel[text=\"a;b}\"] { font-family: 'Liberation Sans'; }",
           "QLineEdit { }  QFrame { ; border: 1px solid gray;; }",
       }) {
    EXPECT_NO_THROW(CheckSkinStyleSheet(sheet)) << sheet;
  }
}

TEST(SkinCheck, RefusesAnythingElseNamingTheLine) {
  for (const char* sheet : {
           "QWidget { color: red;",           // unbalanced
           "QWidget color: red; }",           // no '{'
           "QWidget { color: red; } }",       // stray '}'
           "{ color: red; }",                 // no selectors
           "QWidget { color red; }",          // no ':'
           "QWidget { : red; }",              // no property
           "QWidget { color: ; }",            // no value
           "QWidget { a: b { c: d; } }",      // nested
           "QWidget { a: url(x; }",           // open parenthesis
           "QWidget { a: \"open; }",          // open quote
           "/* never closed",
           "QWidget { color: red; }\xFF",     // not UTF-8
           "QWidget { color: \xC0\xAF; }",    // overlong encoding
       }) {
    EXPECT_THROW(CheckSkinStyleSheet(sheet), std::runtime_error) << sheet;
  }
  try {
    CheckSkinStyleSheet("QWidget {\n  color: red;\n  margin 2px;\n}");
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace quillora
