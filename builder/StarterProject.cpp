#include "builder/StarterProject.h"

namespace {

const char kProject[] = R"(# A quiv project. Build it with:  quiv build quiv.toml
# Every key is described in docs/project-file.md; the ones shown here are the common ones.
# Paths are relative to this file's folder.

[product]
name = "My Product"                 # shown everywhere; the installer's title is "<name> Setup"
version = "1.0"
publisher = "My Company"
default_directory = "My Product"    # below Program Files
start_menu_folder = "My Product"    # becomes "<publisher>\<name>" in the Start menu
# registry_key = "My Company\\My Product"   # created under HKLM and HKCU\Software, removed on uninstall

[flags]                             # every installer option by name, all false unless set
uninstall_support = true            # register the product and write an uninstaller
uninstaller_start_menu_shortcut = true
ask_directory = true                # let the user choose the folder
# verbose_log = true
# always_write_log = true

[appearance]
title_color = "#FFFFFF"
top_color = "#000080"               # background gradient, top to bottom
bottom_color = "#000000"
title_shadow = 2                    # shadow offset in pixels, 0 for none

[texts]
licence = ["licence.txt"]           # shown one page each, before the folder question
readme = ["readme.txt"]

[archive]
compress = true
# volume_size = 1457664             # split into DATA2.QSX, DATA3.QSX, ... of at most this size

# All files below files/, keeping their folders:
[[files]]
source = "files"
# include = ["**/*"]
# exclude = ["**/*.bak"]

# A single file with a Start-menu shortcut:
# [[files]]
# source = "files/app.exe"
# [files.shortcut]
# title = "My Product"
# desktop = true

# [[association]]
# extension = ".myp"
# file_type = "MyProduct.Document"
# description = "My Product document"
# command = "\"%InstallDir%\\app.exe\" \"%1\""
)";

} // namespace

const std::vector<StarterFile>& starterProjectFiles()
{
    static const std::vector<StarterFile> files = {
        {"quiv.toml", kProject},
        {"readme.txt", "My Product\r\n\r\nThis is the read-me page of the installer.\r\n"},
        {"licence.txt", "Licence\r\n\r\nReplace this text with the product's licence.\r\n"},
        {"files/hello.txt", "Hello from My Product.\r\n"},
    };
    return files;
}
