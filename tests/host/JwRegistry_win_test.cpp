// The live registry, on a scratch key of its own under HKEY_CURRENT_USER.
#include <windows.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "host/JwRegistry.h"

namespace {

// One key per test process, so test programs running at the same time do not share it.
const std::string kScratchUtf8 = "Software\\VemoraTest-" + ProcessTag();
const std::wstring kScratch(kScratchUtf8.begin(), kScratchUtf8.end());  // ASCII

class LiveRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch.c_str());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch.c_str());
    }
    void SetText(const wchar_t* name, std::wstring value, DWORD type = REG_SZ) {
        value += L'\0';
        RegSetValueExW(key_, name, 0, type, reinterpret_cast<const BYTE*>(value.data()),
                       static_cast<DWORD>(value.size() * sizeof(wchar_t)));
    }
    std::optional<std::string> Text(const char* name) { return registry_->ReadText(kScratchUtf8, name); }

    HKEY key_ = nullptr;
    std::unique_ptr<RegistrySource> registry_ = LiveRegistry();
};

}  // namespace

TEST_F(LiveRegistryTest, TextsUpTo255BytesOfCodePage932) {
    SetText(L"Folder", L"D:\\設計\\ソフト表");
    SetText(L"Long255", std::wstring(127, L'あ') + L"x");
    SetText(L"Long256", std::wstring(128, L'あ'));
    SetText(L"Ascii256", std::wstring(256, L'x'));
    SetText(L"Nul", std::wstring(L"ab\0cd", 5));
    SetText(L"Expand", L"%TEMP%\\jww", REG_EXPAND_SZ);
    EXPECT_EQ(Text("folder"), "D:\\設計\\ソフト表");
    std::string kana127;
    for (int i = 0; i < 127; ++i) kana127 += "あ";
    EXPECT_EQ(Text("Long255"), kana127 + "x");
    EXPECT_EQ(Text("Long256"), std::nullopt);
    EXPECT_EQ(Text("Ascii256"), std::nullopt);
    EXPECT_EQ(Text("Nul"), "ab");
    EXPECT_EQ(Text("Expand"), "%TEMP%\\jww");  // as stored, not expanded
    EXPECT_EQ(Text("Missing"), std::nullopt);
    EXPECT_EQ(registry_->ReadText(kScratchUtf8 + "\\NoSuchKey", "Folder"), std::nullopt);
}

TEST_F(LiveRegistryTest, DwordsAndTypeMismatches) {
    DWORD one = 1;
    RegSetValueExW(key_, L"Reverse", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    SetText(L"Text", L"1");
    EXPECT_EQ(registry_->ReadDword(kScratchUtf8, "Reverse"), 1u);
    EXPECT_EQ(registry_->ReadDword(kScratchUtf8, "Text"), std::nullopt);
    EXPECT_EQ(registry_->ReadText(kScratchUtf8, "Reverse"), std::nullopt);
    EXPECT_EQ(registry_->ReadDword(kScratchUtf8, "Missing"), std::nullopt);
}
