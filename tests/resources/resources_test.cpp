// Reads the resources of this test program, which links the same object library as tarvik.exe,
// back through the functions Windows itself uses for them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

std::vector<char> OwnVersionInfo() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return {};
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<char> info(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, info.data())) return {};
    return info;
}

std::wstring VersionString(std::vector<char>& info, const wchar_t* name) {
    std::wstring key = std::wstring(L"\\StringFileInfo\\080403A8\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return L"<none>";
    return static_cast<const wchar_t*>(value);
}

TEST(Resources, IconOneIsA32PixelImageWith256Colours) {
    HRSRC group =
        FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(directory, nullptr);
    // The group directory: reserved, type, count, then one 14-byte entry per image.
    EXPECT_EQ(*reinterpret_cast<const WORD*>(directory + 4), 1) << "images in icon 1";
    const BYTE* entry = directory + 6;
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 8) << "bits per pixel";

    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    ASSERT_NE(icon, nullptr);
    ICONINFO parts{};
    ASSERT_TRUE(GetIconInfo(icon, &parts));
    BITMAP mask{};
    GetObjectA(parts.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    if (parts.hbmColor) DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
}

TEST(Resources, ManifestAsksForCommonControlsSixOfThisArchitecture) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    std::string manifest(bytes, SizeofResource(nullptr, found));
#ifdef _WIN64
    const std::string architecture = "processorArchitecture=\"amd64\"";
    EXPECT_EQ(manifest.find("\"X86\""), std::string::npos);
#else
    const std::string architecture = "processorArchitecture=\"X86\"";
#endif
    size_t own = manifest.find(architecture);
    ASSERT_NE(own, std::string::npos) << manifest;
    EXPECT_NE(manifest.find(architecture, own + 1), std::string::npos) << "in both identities";
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
    for (const char* absent : {"dpiAware", "activeCodePage", "trustInfo"})
        EXPECT_EQ(manifest.find(absent), std::string::npos) << absent;
}

// The loader reads the manifest when the process starts, and then hands out version 6 of the
// common controls from the side-by-side store instead of the version 5 in the system folder.
// (Wine reports 5.81 from DllGetVersion for both, so the folder is what tells them apart.)
TEST(Resources, ManifestBringsCommonControlsSix) {
    HMODULE controls = LoadLibraryA("comctl32.dll");
    ASSERT_NE(controls, nullptr);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(controls, path, MAX_PATH);
    FreeLibrary(controls);
    std::string folder(path);
    for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(folder.find("\\winsxs\\"), std::string::npos) << path;
}

TEST(Resources, VersionInformationNamesTheProductInChinese) {
    std::vector<char> info = OwnVersionInfo();
    ASSERT_FALSE(info.empty());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    struct {
        const wchar_t* name;
        const wchar_t* value;
    } const strings[] = {
        {L"ProductName", L"Tarvik专用链转换工具"},
        {L"FileVersion", L"1.0.0.0"},
        {L"ProductVersion", L"1.0.0.0"},
        {L"OriginalFilename", L"tarvik.exe"},
    };
    for (const auto& string : strings)
        EXPECT_EQ(VersionString(info, string.name), string.value) << string.name;

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x804);
    EXPECT_EQ(translation[1], 936);
}

// Programs see the name in the ANSI code page; under code page 936 it must be the GBK bytes.
TEST(Resources, ProductNameReadsAsGbkThroughTheAnsiFunctions) {
    if (GetACP() != 936) GTEST_SKIP() << "ANSI code page is " << GetACP();
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path, &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
    char* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\080403A8\\ProductName",
                               reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(value, "Tarvik\xD7\xA8\xD3\xC3\xC1\xB4\xD7\xAA\xBB\xBB\xB9\xA4\xBE\xDF");
}

}  // namespace
