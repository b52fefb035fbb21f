#pragma once
// The XML document service: a thin adapter over libxml2 offering just what the runs need.
// All text crossing this interface is narrow Windows-1252 text; the UTF-8 of the library stays
// inside. Nodes and lists are light handles valid while their document lives.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class Documento;

class NodoXML {
public:
    NodoXML() = default;
    explicit operator bool() const { return nodo_ != nullptr; }

    // Absolute paths ("/SERVICIO/...") or paths relative to this node ("dato").
    class ListaNodos SeleccionarNodos(std::string_view ruta) const;
    NodoXML SeleccionarNodo(std::string_view ruta) const;
    // The text of the node and all its descendants, joined; empty for no node.
    std::string Texto() const;
    NodoXML PrimerHijo() const;
    // The next node under the same parent; no node after the last. With EsElemento, lets a reader
    // walk the children of a record without one path per record.
    NodoXML SiguienteHermano() const;
    bool EsElemento() const;
    std::string Nombre() const;
    // Sets or replaces; attributes keep the order in which they were first set.
    void PonerAtributo(std::string_view nombre, std::string_view valor);
    // Replaces the element's content by this text.
    void PonerTexto(std::string_view texto);
    // Appends as last child; the child must be a node of the same document outside the tree.
    void AnadirHijo(NodoXML hijo);

private:
    friend class Documento;
    friend class ListaNodos;
    NodoXML(Documento* doc, void* nodo) : doc_(doc), nodo_(nodo) {}
    Documento* doc_ = nullptr;
    void* nodo_ = nullptr;  // xmlNodePtr, kept opaque so that callers need no libxml2 headers
};

class ListaNodos {
public:
    std::size_t Longitud() const { return nodos_.size(); }
    // Past the end: no node, not a failure.
    NodoXML Elemento(std::size_t i) const { return i < nodos_.size() ? nodos_[i] : NodoXML(); }

private:
    friend class NodoXML;
    friend class Documento;
    std::vector<NodoXML> nodos_;
};

class Documento {
public:
    Documento();  // a new, empty document
    ~Documento();
    Documento(const Documento&) = delete;
    Documento& operator=(const Documento&) = delete;

    // Parses the whole file. A file that cannot be parsed leaves an empty document and gives false;
    // the reason is then in UltimoError(). Parsing is safe: no network, no external entities or
    // DTDs loaded, no entity expansion.
    bool Cargar(const std::filesystem::path& fichero);
    // Spanish and in UTF-8, like the messages of Error, naming the file; empty after a good load.
    const std::string& UltimoError() const { return error_; }

    ListaNodos SeleccionarNodos(std::string_view ruta) const;
    NodoXML SeleccionarNodo(std::string_view ruta) const;
    NodoXML ElementoDocumento() const;
    NodoXML PrimerHijo() const;
    // The child leaves the tree (a document-level node, the root element included).
    void QuitarHijo(NodoXML hijo);
    // A new element outside the tree, in no namespace.
    NodoXML CrearElemento(std::string_view nombre);
    // Appends a document-level node (the new root) as the document's last child.
    void AnadirHijo(NodoXML hijo);
    // Keeps the declaration and its encoding and every document-level node outside the root, in
    // order; adds no whitespace between elements; replaces an existing file. Raises Error.
    void Guardar(const std::filesystem::path& fichero) const;

private:
    friend class NodoXML;
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string error_;
};

}  // namespace rt
