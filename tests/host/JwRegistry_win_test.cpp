// The live registry, on a scratch key of its own under HKEY_CURRENT_USER.
#include <windows.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "host/JwRegistry.h"

namespace {

// One key per test process, so test programs running at the same time do not share it.
const std::string kScratch = "Software\\VemoraTest-" + ProcessTag();  // ASCII

class LiveRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratch.c_str()); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratch.c_str()); }
    static void Set(const wchar_t* name, DWORD type, std::wstring text, DWORD number = 0) {
        text += L'\0';
        const bool isText = type != REG_DWORD;
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, std::wstring(kScratch.begin(), kScratch.end()).c_str(), name, type,
                                  isText ? static_cast<const void*>(text.data()) : &number,
                                  isText ? static_cast<DWORD>(text.size() * sizeof(wchar_t)) : sizeof number),
                  ERROR_SUCCESS);
    }
};

}  // namespace

// Texts of up to 255 bytes of code page 932, up to their first NUL, as stored; a value of
// another type reads as missing.
TEST_F(LiveRegistryTest, TextsAndDwords) {
    std::string kana127;
    for (int i = 0; i < 127; ++i) kana127 += "あ";
    Set(L"Folder", REG_SZ, L"D:\\設計\\ソフト表");
    Set(L"Long255", REG_SZ, std::wstring(127, L'あ') + L"x");
    Set(L"Long256", REG_SZ, std::wstring(128, L'あ'));
    Set(L"Nul", REG_SZ, std::wstring(L"ab\0cd", 5));
    Set(L"Expand", REG_EXPAND_SZ, L"%TEMP%\\jww");
    Set(L"Reverse", REG_DWORD, L"", 1);
    const std::pair<const char*, std::optional<std::string>> texts[] = {
        {"folder", "D:\\設計\\ソフト表"}, {"Long255", kana127 + "x"}, {"Long256", std::nullopt}, {"Nul", "ab"},
        {"Expand", "%TEMP%\\jww"},       {"Reverse", std::nullopt},  {"Missing", std::nullopt}};
    std::unique_ptr<RegistrySource> registry = LiveRegistry();
    for (const auto& [name, text] : texts) EXPECT_EQ(registry->ReadText(kScratch, name), text) << name;
    EXPECT_EQ(registry->ReadText(kScratch + "\\NoSuchKey", "Folder"), std::nullopt);
    EXPECT_EQ(registry->ReadDword(kScratch, "Reverse"), 1u);
    EXPECT_EQ(registry->ReadDword(kScratch, "Folder"), std::nullopt);
    EXPECT_EQ(registry->ReadDword(kScratch, "Missing"), std::nullopt);
}
