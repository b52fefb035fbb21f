#include "import/Codigos.h"

namespace rt {

std::string MayusculasAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

std::string MayusculasAnsi(std::string s) {
    for (char& c : s) {
        const auto b = static_cast<unsigned char>(c);
        unsigned char mayuscula = b;
        if (b >= 'a' && b <= 'z') {
            mayuscula = static_cast<unsigned char>(b - 0x20);
        } else if (b >= 0xE0 && b <= 0xFE && b != 0xF7) {  // à..þ, but not ÷
            mayuscula = static_cast<unsigned char>(b - 0x20);
        } else if (b == 0x9A || b == 0x9C || b == 0x9E) {  // š œ ž
            mayuscula = static_cast<unsigned char>(b - 0x10);
        } else if (b == 0xFF) {  // ÿ
            mayuscula = 0x9F;
        }
        c = static_cast<char>(mayuscula);
    }
    return s;
}

std::string AcortarACuatro(const std::string& codigo) {
    if (codigo.size() <= 4) return codigo;
    return codigo.substr(0, 2) + codigo.substr(codigo.size() - 2);
}

std::string Numerar(const std::string& raiz, const std::function<bool(const std::string&)>& libre) {
    for (std::size_t n = 1;; ++n) {
        std::string candidato = raiz + std::to_string(n);
        if (libre(candidato)) return candidato;
    }
}

}  // namespace rt
