// The library's version record, read back from the file by `kestrova version` (com::VersionInfo).
// The fixed part first, then the Spanish (Spain) string table in UTF-16's code page.

extern const char kt512VersionRecord[];

// clang-format off
__attribute__((section(".kestrova_version"), used)) const char kt512VersionRecord[] =
    "KESTROVA-VERSION-1\0"
    "FixedFileVersion\0" "6.0.0.48\0"
    "FixedProductVersion\0" "6.0.0.48\0"
    "FileType\0" "DLL\0"
    "Language\0" "0x0C0A\0"
    "CodePage\0" "1200\0"
    "FileVersion\0" "6.00.0048\0"
    "ProductVersion\0" "6.00.0048\0"
    "InternalName\0" "KT512\0"
    "OriginalFilename\0" "KT512.dll\0"
    "ProductName\0" "Kestrova\0"
    "OLESelfRegister\0" "";
// clang-format on
