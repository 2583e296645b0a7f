#include "app/FileDirection.h"

#include "globals/engine/EncDec.h"
#include "globals/filerules/OutputNames.h"

namespace {

std::optional<QString> encryptedOutput(const QString &source) { return encryptedNameFor(source); }

std::optional<QString> decryptedOutput(const QString &source) { return decryptedNameFor(source); }

} // namespace

const FileDirection &encryptDirection()
{
    static const FileDirection direction{
        {"Frame3", "Label1", "txtEncKey", "Label2", "txtEncFile", "cmdOpenEnc", "chkEnc", "cmdEnc"},
        {"Creates a new, ciphertext (encrypted) file, from an existing plaintext (un-encrypted) "
         "file.",
         "Encrypt Key:", "Encrypt File:", "Delete plaintext file after encrypt.", "&Encrypt",
         "Open Encrypt File...",
         "Document Files (*.doc;*.rtf;*.wri;*.txt)|*.doc;*.rtf;*.wri;*.txt|"
         "Executable Files (*.exe;*.ocx;*.dll)|*.exe;*.ocx;*.dll|"
         "Video Files (*.avi;*.mpg;*.mov;*.dat)|*.avi;*.mpg;*.mov;*.dat|"
         "Picture Files (*.psd;*.bmp;*.gif;*.jpg;*.pcx;*.png)|*.psd;*.bmp;*.gif;*.jpg;*.pcx;*.png|"
         "Picture Files (*.tga;*.tif;*.eps;*.flm;*.pdf;*.pcd)|*.tga;*.tif;*.eps;*.flm;*.pdf;*.pcd|"
         "Picture Files (*.pcd;*.pct;*.pxr;*.raw;*.sct)|*.pcd;*.pct;*.pxr;*.raw;*.sct|"
         "Audio Files (*.mp1;*.mp2;*.mp3;*.wma;*.mid;*.rmi)|*.mp1;*.mp2;*.mp3;*.wma;*.mid;*.rmi|"
         "Audio Files (*.wav;*.mod;*.voc;*.ogg;*.cda;*.aif)|*.wav;*.mod;*.voc;*.ogg;*.cda;*.aif|"
         "Archive Files (*.zip;*.rar;*.lzh;*.lha;*.arj)|*.zip;*.rar;*.lzh;*.lha;*.arj|"
         "All Files (*.*)|*.*|"},
        {"Encrypt Key is Empty.", "Encrypt File is Empty.", "Encrypt File is Done!",
         "Can't Encrypt File."},
        1080,
        1440,
        ":/embercoffer/lock-rest.png",
        ":/embercoffer/lock-hover.png",
        &EncDec::EncryptFile,
        &encryptedOutput,
        true,
        batch::Action::Encrypt,
    };
    return direction;
}

const FileDirection &decryptDirection()
{
    static const FileDirection direction{
        {"Frame2", "Label3_0", "txtDecKey", "Label4_0", "txtDecFile", "cmdOpenDec", "chkDec",
         "cmdDec"},
        {"Creates a new, plaintext (un-encrypted) file, from an existing ciphertext (encrypted) "
         "file.",
         "Decrypt Key:", "Decrypt File:", "Delete ciphertext file after decrypt.", "&Decrypt",
         "Open Decrypt File...", "Ember Coffer (*.ecx) |*.ecx|All Files (*.*)|*.*|"},
        {"Decrypt Key is Empty.", "Decrypt File is Empty.", "Decrypt File is Done!",
         "Can't Decrypt File."},
        3120,
        1560,
        ":/embercoffer/unlock-rest.png",
        ":/embercoffer/unlock-hover.png",
        &EncDec::DecryptFile,
        &decryptedOutput,
        false,
        batch::Action::Decrypt,
    };
    return direction;
}
