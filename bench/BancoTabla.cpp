// Times the table engine on a table the size of a large school's: writing N rows, reading them
// back field by field, an ordered walk and a run of lookups.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Tabla.h"

namespace {

double Segundos(std::chrono::steady_clock::time_point desde) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - desde).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int filas = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::filesystem::path carpeta =
        argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    const std::vector<rt::DefCampo> campos = {
        {"DIHO", rt::TipoCampo::Texto, 10},     {"CODDIHO", rt::TipoCampo::Texto, 10},
        {"DIA", rt::TipoCampo::Texto, 20},      {"TEXTODIA", rt::TipoCampo::Texto, 20},
        {"HORA", rt::TipoCampo::Texto, 8},      {"TEXTOHOR", rt::TipoCampo::Texto, 15},
        {"HORADESDE", rt::TipoCampo::Texto, 8}, {"HORAHASTA", rt::TipoCampo::Texto, 8},
        {"MINUTOS", rt::TipoCampo::Texto, 8},   {"ORDEN", rt::TipoCampo::Entero},
        {"HORAS", rt::TipoCampo::Flotante},
    };
    rt::BorrarTabla(carpeta, "BANCO");
    rt::CrearTabla(carpeta, "BANCO", campos, {{"ORDEN", "ORDEN"}});

    auto t0 = std::chrono::steady_clock::now();
    {
        rt::Tabla t = rt::Tabla::Abrir(carpeta, "BANCO");
        for (int i = 0; i < filas; ++i) {
            t.Anadir();
            t.PonerTexto("DIHO", std::to_string(i % 7 + 1) + std::to_string(i % 11 + 1));
            t.PonerTexto("CODDIHO", "T" + std::to_string(i));
            t.PonerTexto("DIA", std::to_string(i % 7 + 1));
            t.PonerTexto("HORA", std::to_string(i % 11 + 1));
            t.PonerTexto("TEXTOHOR", "Tramo " + std::to_string(i % 11));
            t.PonerTexto("HORADESDE", "08:00");
            t.PonerTexto("HORAHASTA", "08:55");
            t.PonerTexto("MINUTOS", "55");
            t.PonerEntero("ORDEN", (i * 7919) % 1440);
            t.PonerFlotante("HORAS", 4);
            t.Grabar();
        }
        t.Cerrar();
    }
    const double escribir = Segundos(t0);

    t0 = std::chrono::steady_clock::now();
    std::size_t bytes = 0;
    rt::Tabla t = rt::Tabla::Abrir(carpeta, "BANCO");
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        for (const auto& c : campos) bytes += t.LeerTexto(c.nombre).size();
    }
    const double leer = Segundos(t0);

    t0 = std::chrono::steady_clock::now();
    long suma = 0;
    t.RecorrerPor("ORDEN");
    for (; !t.Fin(); t.Siguiente()) suma += t.LeerEntero("ORDEN");
    const double ordenar = Segundos(t0);

    t0 = std::chrono::steady_clock::now();
    int hallados = 0;
    for (int i = 0; i < 10000; ++i) hallados += t.Localizar("CODDIHO", "T" + std::to_string(i * 7));
    const double localizar = Segundos(t0);
    t.Cerrar();

    std::printf(
        "%d filas: escribir y cerrar %.3f s, abrir y leer todos los campos %.3f s (%zu bytes), "
        "recorrido por ORDEN %.3f s (%ld), 10000 localizaciones %.3f s (%d)\n",
        filas, escribir, leer, bytes, ordenar, suma, localizar, hallados);
    rt::BorrarTabla(carpeta, "BANCO");
    return 0;
}
