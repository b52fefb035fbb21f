#pragma once
// Where the tool finds its folders.

#include <filesystem>

namespace rt {

// Tabelio's working folder: the environment variable TBTEMP when set; on Windows C:\TBTEMP;
// elsewhere Tabelio runs under Wine and the folder is drive_c/TBTEMP of the Wine prefix
// ($WINEPREFIX, or ~/.wine when unset).
std::filesystem::path CarpetaTrabajoPredeterminada();

// The folder of the running executable (level table, Tabelio.ini, help files).
std::filesystem::path CarpetaPrograma();

}  // namespace rt
