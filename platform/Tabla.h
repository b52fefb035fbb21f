#pragma once
// Our dBase table engine. Files are dBase IV compatible (code page 1252, language driver 0x57);
// a table with a field name longer than eleven characters is written in the dBase 7 layout.
// It reads dBase III, IV, 5, 7 and FoxPro-style tables that other programs wrote.
//
// An open table holds its rows in memory: it is read in one pass when opened, rows appended are
// kept in memory (so that they can be walked at once) and written through a buffer, the header
// being brought up to date when the table is closed. The lookups sit behind this interface so
// that an index can serve them without changing a caller.
//
// All text is narrow Windows-1252 text. Errors are raised as rt::Error with a Spanish message
// that names the file (and the field, where one is at fault).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

enum class TipoCampo { Texto, Logico, Entero, Flotante };

struct DefCampo {
    std::string nombre;
    TipoCampo tipo = TipoCampo::Texto;
    int ancho = 0;  // for Texto only: 1 to 40
};

// An index to be kept with the table ("ORDEN" on the integer field "ORDEN").
struct DefIndice {
    std::string nombre;
    std::string campo;
};

// The table's file in its folder: the name with ".DBF". Where the folder holds the file under
// another letter case (a table written by a program under Wine), that file is the table.
std::filesystem::path RutaTabla(const std::filesystem::path& carpeta, std::string_view nombre);

// Deletes NOMBRE.DBF, then NOMBRE.MDX, each where present. A failed deletion is not reported.
void BorrarTabla(const std::filesystem::path& carpeta, std::string_view nombre);

// Creates an empty table, replacing any table of that name.
void CrearTabla(const std::filesystem::path& carpeta, std::string_view nombre,
                const std::vector<DefCampo>& campos, const std::vector<DefIndice>& indices = {});

class Tabla {
public:
    // Opens for exclusive use: a second open of the same table, from this process or another,
    // fails with an error naming the table.
    static Tabla Abrir(const std::filesystem::path& carpeta, std::string_view nombre);
    static Tabla Abrir(const std::filesystem::path& fichero);

    Tabla(Tabla&&) noexcept;
    Tabla& operator=(Tabla&&) noexcept;
    ~Tabla();  // closes, writing what was posted; errors are lost here, so call Cerrar()

    // Writes what was posted and releases the table. Idempotent.
    void Cerrar();
    bool Abierta() const;
    const std::filesystem::path& Fichero() const;

    // Writing: Anadir() starts a row with every field blank, Poner* set fields by name, Grabar()
    // stores the row after the last one. A text longer than a character field is cut.
    void Anadir();
    void PonerTexto(std::string_view campo, std::string_view valor);
    void PonerEntero(std::string_view campo, std::int32_t valor);
    void PonerFlotante(std::string_view campo, double valor);
    void PonerLogico(std::string_view campo, bool valor);
    void Grabar();

    // Walking, in stored order, or in the order set by RecorrerPor, within the selection set by
    // Seleccionar.
    void Primero();
    void Siguiente();
    bool Fin() const;
    std::size_t NumeroFilas() const;  // every row, whatever the selection

    // Reading the current row. A character field comes without the trailing blanks that pad it
    // (leading blanks kept); a numeric field as text is the number without padding; a field never
    // set reads as empty. LeerEntero raises ErrorConversion where the field holds no whole number.
    std::string LeerTexto(std::string_view campo) const;
    std::int32_t LeerEntero(std::string_view campo) const;
    double LeerFlotante(std::string_view campo) const;
    bool TieneCampo(std::string_view campo) const;

    // The first row (in stored order) whose fields equal the values exactly, letter case
    // included, becomes current; false when there is none (the current row does not change).
    // A numeric field matches a value that reads as the same number ("12" finds 12 and 12.00).
    bool Localizar(std::string_view campo, std::string_view valor);
    bool Localizar(std::string_view campo1, std::string_view valor1, std::string_view campo2,
                   std::string_view valor2);

    // From now on only the rows whose field, read as text, equals the value are walked; the first
    // of them becomes current.
    void Seleccionar(std::string_view campo, std::string_view valor);
    void QuitarSeleccion();

    // Walks in ascending order of an integer field, rows with equal values in stored order;
    // an empty name goes back to stored order.
    void RecorrerPor(std::string_view campo);

private:
    struct Impl;
    explicit Tabla(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace rt
