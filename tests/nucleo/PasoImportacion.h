#pragma once
// Fixture of the import steps' tests: a working folder, a program folder, and a document.

#include <gtest/gtest.h>

#include <memory>

#include "Ayuda.h"
#include "FicheroIntercambio.h"
#include "LecturaTablas.h"
#include "import/Pasos.h"
#include "import/TablaNiveles.h"
#include "platform/Documento.h"

namespace rt::prueba {

class PasoImportacion : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(trabajo);
        std::filesystem::create_directories(programa);
    }

    const Documento& Cargar(const FicheroIntercambio& fichero) {
        doc = std::make_unique<Documento>();
        EXPECT_TRUE(doc->Cargar(fichero.Escribir(carpeta / "intercambio.xml")))
            << doc->UltimoError();
        return *doc;
    }

    void Niveles(const std::string& texto) {
        EscribirFichero(carpeta / "niveles.txt", texto);
        GenerarTablaNiveles(carpeta / "niveles.txt", programa / "NIVELLARI.DBF");
    }

    Filas Filas_(const std::string& tabla, const std::vector<std::string>& campos,
                 const std::string& orden = "") {
        return LeerFilas(trabajo, tabla, campos, orden);
    }

    CarpetaTemporal carpeta;
    std::filesystem::path trabajo = carpeta / "TBTEMP";
    std::filesystem::path programa = carpeta / "programa";
    std::unique_ptr<Documento> doc;
};

}  // namespace rt::prueba
