#include "import/Codigos.h"

#include "platform/Error.h"
#include "text/Cp1252.h"

namespace rt {

namespace {

// Far beyond any school: past it, four characters cannot tell the codes of one stem apart.
constexpr std::size_t kMaximoNumeracion = 100000;

}  // namespace

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

std::vector<std::string> FormasDeCuatro(const std::string& candidato, std::string usual) {
    std::vector<std::string> formas{std::move(usual)};
    if (candidato.size() > 4) {
        for (std::string otra : {candidato.substr(0, 1) + candidato.substr(candidato.size() - 3),
                                 candidato.substr(candidato.size() - 4)}) {
            if (otra != formas.back() && otra != formas.front()) formas.push_back(std::move(otra));
        }
    }
    return formas;
}

std::optional<std::string> FormaLibre(const std::vector<std::string>& formas,
                                      const std::function<bool(const std::string&)>& ocupada) {
    for (const std::string& forma : formas) {
        if (!ocupada(forma)) return forma;
    }
    return std::nullopt;
}

CodigoDado DarCodigo(Numerador& numerador, const std::string& base, std::size_t largoRaiz,
                     const std::function<std::optional<std::string>(const std::string&)>& forma) {
    if (auto guardado = forma(base)) return {base, *guardado};
    std::string candidato = numerador.Numerar(
        base.substr(0, largoRaiz), [&](const std::string& c) { return forma(c).has_value(); });
    std::string guardado = *forma(candidato);
    return {std::move(candidato), std::move(guardado)};
}

std::string DadorDeCodigos::Dar(const std::string& base) {
    auto forma = [&](const std::string& candidato) -> std::optional<std::string> {
        if (dados_.Contiene(candidato)) return std::nullopt;
        // A base keeps its usual form or is numbered; only numbered candidates may take the
        // roomier forms.
        const std::string usual = formaUsual_(candidato);
        const std::vector<std::string> formas =
            candidato == base ? std::vector<std::string>{usual} : FormasDeCuatro(candidato, usual);
        return FormaLibre(formas, [&](const std::string& f) { return guardados_.Contiene(f); });
    };
    const CodigoDado dado = DarCodigo(numerador_, base, largoRaiz_, forma);
    dados_.Anadir(dado.candidato);
    guardados_.Anadir(dado.guardado);
    return dado.guardado;
}

std::string Numerador::Numerar(const std::string& raiz,
                               const std::function<bool(const std::string&)>& libre) {
    std::size_t& n = siguiente_.try_emplace(raiz, 1).first->second;
    for (; n <= kMaximoNumeracion; ++n) {
        std::string candidato = raiz + std::to_string(n);
        if (libre(candidato)) {
            ++n;
            return candidato;
        }
    }
    throw Error("No quedan códigos de cuatro caracteres distintos para «" + AnsiAUtf8(raiz) + "»");
}

}  // namespace rt
