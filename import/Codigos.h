#pragma once
// The pieces shared by the steps that generate short codes: numbering a stem until a candidate is
// free, the shortening of long candidates, and the two ways of comparing codes.

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace rt {

// Upper case for the letters a to z only; accented letters stay as they are.
std::string MayusculasAscii(std::string s);

// Upper case as the Windows locale folds Windows-1252 text: a to z and the accented small letters.
std::string MayusculasAnsi(std::string s);

// A candidate longer than four characters becomes its first two and last two characters.
std::string AcortarACuatro(const std::string& codigo);

// stem + 1, stem + 2, ... (decimal, no leading zeros): the first for which libre() holds.
std::string Numerar(const std::string& raiz, const std::function<bool(const std::string&)>& libre);

// A set of codes compared without regard to letter case, as the Windows locale compares them.
class CodigosSinMayusculas {
  public:
    bool Contiene(const std::string& codigo) const {
        return claves_.contains(MayusculasAnsi(codigo));
    }
    void Anadir(const std::string& codigo) { claves_.insert(MayusculasAnsi(codigo)); }

  private:
    std::set<std::string> claves_;
};

}  // namespace rt
