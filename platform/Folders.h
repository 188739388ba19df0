// SPDX-License-Identifier: MIT
#pragma once

// The folders the program's files live in.

#include <filesystem>
#include <string>

namespace vantrel {

/// \brief Makes the folder `path` (UTF-8) and every missing folder above it, long paths too.
/// Throws EOSError.
void CreateFolders(const std::string& path);

/// The folder of the running executable; the current folder when the system cannot tell.
[[nodiscard]] std::filesystem::path ExecutableFolder();
/// The user's documents folder as UTF-8 (the XDG documents folder, or the known folder
/// Documents on Windows); empty when the system gives none.
[[nodiscard]] std::string DocumentsFolder();
/// The user's own folder for the program's settings, not created here: $XDG_CONFIG_HOME/vantrel
/// (or ~/.config/vantrel), %APPDATA%\Vantrel on Windows; empty when the system gives none.
[[nodiscard]] std::filesystem::path UserSettingsFolder();
/// True when the program may create files in `folder`.
[[nodiscard]] bool IsWritableFolder(const std::filesystem::path& folder);
/// True when `executableFolder` holds an installed copy of the program (the package's bin/
/// beside its desktop entry; on Windows the installer's folder with its uninstaller): its
/// settings belong to each user, not beside the executable, even where that may be written.
[[nodiscard]] bool IsInstalledProgramFolder(const std::filesystem::path& executableFolder);

/// The file name of the installer's uninstaller beside an installed program on Windows.
inline constexpr const char* kUninstallerName = "Uninstall.exe";

} // namespace vantrel
