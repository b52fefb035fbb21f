#pragma once
// The pieces shared by the steps that generate short codes: numbering a stem until a candidate is
// free, the forms a long candidate can take in four characters, and the two ways of comparing.

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rt {

// Upper case for the letters a to z only; accented letters stay as they are.
std::string MayusculasAscii(std::string s);

// Upper case as the Windows locale folds Windows-1252 text: a to z and the accented small letters.
std::string MayusculasAnsi(std::string s);

// A candidate longer than four characters becomes its first two and last two characters.
std::string AcortarACuatro(const std::string& codigo);

// The forms in which a candidate can be stored in a four-character field, the usual one first.
// Once the usual form is taken (from the hundredth clash of a stem the first two and last two
// characters repeat), forms that keep more of the number follow: first character and last three,
// then the last four.
std::vector<std::string> FormasDeCuatro(const std::string& candidato, std::string usual);

// Hands out stem + 1, stem + 2, ... (decimal, no leading zeros): the first candidate that libre()
// accepts. Codes given are never taken back, so a candidate refused once stays refused and each
// stem resumes where it stopped: thousands of clashes cost a linear run, not a quadratic one.
class Numerador {
  public:
    std::string Numerar(const std::string& raiz,
                        const std::function<bool(const std::string&)>& libre);

  private:
    std::unordered_map<std::string, std::size_t> siguiente_;
};

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

// The first of the forms that is not taken.
std::optional<std::string> FormaLibre(const std::vector<std::string>& formas,
                                      const std::function<bool(const std::string&)>& ocupada);

// A code given: the candidate as numbered, and the form in which it is stored.
struct CodigoDado {
    std::string candidato;
    std::string guardado;
};

// The base itself when it is free, else the stem (its first largoRaiz characters) numbered on.
// forma() tells under which form a candidate would be stored, or nothing when it is not free.
CodigoDado DarCodigo(Numerador& numerador, const std::string& base, std::size_t largoRaiz,
                     const std::function<std::optional<std::string>(const std::string&)>& forma);

// Distinct codes for teachers, rooms and units, compared without regard to letter case. A base
// that is free is kept in its usual stored form; otherwise its stem is numbered until neither the
// candidate nor every form of it in four characters is taken.
class DadorDeCodigos {
  public:
    using Forma = std::function<std::string(const std::string&)>;
    DadorDeCodigos(std::size_t largoRaiz, Forma formaUsual)
        : largoRaiz_(largoRaiz), formaUsual_(std::move(formaUsual)) {}

    // The code as stored.
    std::string Dar(const std::string& base);

  private:
    std::size_t largoRaiz_;
    Forma formaUsual_;
    CodigosSinMayusculas dados_;      // candidates, whole
    CodigosSinMayusculas guardados_;  // as stored
    Numerador numerador_;
};

}  // namespace rt
