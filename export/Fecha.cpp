#include "export/Fecha.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <memory>
#include <string_view>
#include <type_traits>

#include "text/Cp1252.h"

namespace rt {

namespace {

constexpr locale_t kSinLocale = static_cast<locale_t>(0);

struct LiberarLocale {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleHora = std::unique_ptr<std::remove_pointer_t<locale_t>, LiberarLocale>;

// The user's LC_TIME as a locale object of its own: the process's global locale stays as it is,
// since the rest of the tool relies on the "C" locale for numbers and text. "C" when the
// environment names a locale that is not installed.
LocaleHora LocaleDelUsuario() {
    locale_t usuario = newlocale(LC_TIME_MASK, "", kSinLocale);
    if (usuario == kSinLocale) usuario = newlocale(LC_TIME_MASK, "C", kSinLocale);
    return LocaleHora(usuario);
}

std::string Formatear(const std::tm& momento, const std::string& formato, locale_t locale) {
    if (formato.empty()) return {};
    std::array<char, 256> texto{};
    const std::size_t largo =
        locale == kSinLocale
            ? std::strftime(texto.data(), texto.size(), formato.c_str(), &momento)
            : strftime_l(texto.data(), texto.size(), formato.c_str(), &momento, locale);
    return std::string(texto.data(), largo);
}

std::string Unir(const std::tm& momento, const FormatosFecha& formatos, locale_t locale) {
    return Formatear(momento, formatos.fechaCorta, locale) + " " +
           Formatear(momento, formatos.horaLarga, locale);
}

}  // namespace

// On Windows these would be the regional settings' short date and long time. Elsewhere they come
// from the user's LC_TIME (LC_ALL, LC_TIME or LANG): D_FMT is the locale's short date ("%d/%m/%y"
// in es_ES, day first) and T_FMT its time with seconds ("%H:%M:%S"), which stands for the long
// time: the C library knows no other.
FormatosFecha FormatosDelUsuario() {
    const LocaleHora usuario = LocaleDelUsuario();
    if (!usuario) return {"%m/%d/%y", "%H:%M:%S"};
    return {nl_langinfo_l(D_FMT, usuario.get()), nl_langinfo_l(T_FMT, usuario.get())};
}

std::string TextoFecha(const std::tm& momento, const FormatosFecha& formatos) {
    return Unir(momento, formatos, kSinLocale);
}

std::string FechaActual() {
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
    localtime_r(&ahora, &local);
    const LocaleHora usuario = LocaleDelUsuario();
    if (!usuario) return TextoFecha(local, FormatosDelUsuario());
    const std::string texto =
        Unir(local, {nl_langinfo_l(D_FMT, usuario.get()), nl_langinfo_l(T_FMT, usuario.get())},
             usuario.get());
    // A locale's names and marks (an era, "a. m.") come in its code set; the document wants
    // Windows-1252.
    if (std::string_view(nl_langinfo_l(CODESET, usuario.get())) == "UTF-8") {
        return Utf8AAnsi(texto);
    }
    return texto;
}

}  // namespace rt
