// fuzz_seeds DIR: writes a few small archives for the fuzzers to start from.
#include <string>

#include "platform/ZipPassword.h"
#include "tools/assetpack/ZipWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string dir = argv[1];
    ZipWriteOptions sealed;
    sealed.password = kZipPassword;

    ZipWriter good;
    good.AddDirectory("Resource/");
    good.AddDirectory("Resource/Font/");
    good.AddFile("Resource/Font/Script_Fnt_GameStandard.txt", std::string("FONT_COL=16;\nFONT_ROW=16;\n//\n"), sealed);
    good.AddDirectory("Resource/Menu/");
    good.AddFile("Resource/Menu/Bbd_Main1.png", std::string(300, 'p'), sealed);
    ZipWriteOptions stored = sealed;
    stored.deflate = false;
    good.AddFile("Resource/Menu/Stored.txt", std::string("stored entry"), stored);
    bool ok = good.WriteTo(dir + "/good.zip");

    ZipWriter wrong;
    ZipWriteOptions other = sealed;
    other.password = "another";
    wrong.AddDirectory("Resource/");
    wrong.AddFile("Resource/Locked.txt", std::string("locked text"), other);
    ok = wrong.WriteTo(dir + "/wrong_password.zip") && ok;

    ZipWriter unix;
    unix.AddDirectory("Resource/", 0x41ED0010u, 3);
    ZipWriteOptions plain;
    plain.localExtra = {'U', 'T', 5, 0, 1, 0x00, 0xCA, 0x9A, 0x3B};
    unix.AddFile("Resource/Plain.txt", std::string("plain"), plain);
    ok = unix.WriteTo(dir + "/unix.zip") && ok;
    return ok ? 0 : 1;
}
