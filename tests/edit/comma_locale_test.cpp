// The numeric editors under a C library locale whose decimal point is ",": number text is always
// "." whatever the process's locale says. The locale is built for the test with localedef (part of
// every glibc system), from a source that defines only its numeric category.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "edit/create_editor.h"
#include "edit/number_edit.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class CommaLocale : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const fs::path dir = fs::temp_directory_path() / ("vltext-comma-locale-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path source = dir / "comma.src";
    std::ofstream(source) << "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3\nEND LC_NUMERIC\n";
    // -c: the categories the source leaves out are only warnings.
    const std::string command = "localedef -c -i '" + source.string() + "' -f ANSI_X3.4-1968 '" +
                                (dir / "comma").string() + "' >/dev/null 2>&1";
    (void)std::system(command.c_str());
    ::setenv("LOCPATH", dir.c_str(), 1);
    directory_ = new fs::path(dir);
  }
  static void TearDownTestSuite() {
    std::error_code ignored;
    fs::remove_all(*directory_, ignored);
    delete directory_;
    ::unsetenv("LOCPATH");
  }
  void SetUp() override {
    ASSERT_NE(std::setlocale(LC_ALL, "comma"), nullptr) << "localedef could not build the test locale";
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    ASSERT_STREQ(text, "1,5") << "the test locale's decimal point is not a comma";
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }

  static std::unique_ptr<CVlNumberEdit> Editor(std::uint16_t type) {
    std::unique_ptr<CVlEditWnd> e = CreateEditor(type);
    return std::unique_ptr<CVlNumberEdit>(static_cast<CVlNumberEdit*>(e.release()));
  }

  static fs::path* directory_;
};

fs::path* CommaLocale::directory_ = nullptr;

TEST_F(CommaLocale, TypedDecimalsAreReadWithThePoint) {
  struct Row { std::uint16_t type; const char* typed; TypedValue expected; };
  for (const Row& r : {Row{VlTextDouble, "12.5", TypedValue::R8(12.5)}, Row{VlTextSingle, "0.25", TypedValue::R4(0.25f)},
                       Row{VlTextDouble, "-1234.0625", TypedValue::R8(-1234.0625)}}) {
    std::unique_ptr<CVlNumberEdit> e = Editor(r.type);
    e->SetNull(true);
    ASSERT_TRUE(e->SetSelText(r.typed)) << r.typed;
    ASSERT_TRUE(e->CommitText()) << r.typed;
    EXPECT_EQ(e->GetValue().value, r.expected) << r.typed;
  }
}

TEST_F(CommaLocale, SpinStepsKeepTheirFraction) {
  struct Row { std::uint16_t type; const char* typed; float increase; TypedValue expected; };
  for (const Row& r : {Row{VlTextSingle, "1.25", 0.5f, TypedValue::R4(1.75f)},
                       Row{VlTextDouble, "2.5", -0.25f, TypedValue::R8(2.25)},
                       Row{VlTextCurrency, "1.25", 0.5f, TypedValue::Cy(Currency{17500})}}) {
    std::unique_ptr<CVlNumberEdit> e = Editor(r.type);
    e->SetNull(true);
    ASSERT_TRUE(e->SetSelText(r.typed)) << r.typed;
    e->SpinStep(r.increase);
    EXPECT_EQ(e->GetValue().value, r.expected) << r.typed;
  }
}

}  // namespace
}  // namespace vl
