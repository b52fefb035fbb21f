#include "platform/Documento.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>
#include <libxml/xpath.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <mutex>
#include <system_error>
#include <unordered_set>

#include "platform/Error.h"
#include "text/Cp1252.h"

namespace rt {

namespace {

xmlNodePtr N(void* p) { return static_cast<xmlNodePtr>(p); }
const xmlChar* X(const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); }

std::string RutaTexto(const std::filesystem::path& p) {
    const auto u = p.u8string();
    return {u.begin(), u.end()};
}

void IniciarBiblioteca() {
    static std::once_flag hecho;
    std::call_once(hecho, [] { xmlInitParser(); });
}

std::string DeBiblioteca(const xmlChar* s) {
    return s ? Utf8AAnsi(reinterpret_cast<const char*>(s)) : std::string();
}

// Text for the library. Control characters other than tab and line breaks cannot be written in
// XML 1.0 at all; they would make a file that no reader accepts, so they go as "?" like any other
// character the output cannot hold.
std::string ALaBiblioteca(std::string_view ansi) {
    std::string r = AnsiAUtf8(ansi);
    for (char& c : r) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') c = '?';
    }
    return r;
}

std::string NombreValido(std::string_view nombre) {
    std::string r = AnsiAUtf8(nombre);
    if (r.empty() || xmlValidateName(X(r), 0) != 0) {
        throw Error("'" + r + "' no es un nombre válido para un elemento o atributo XML");
    }
    return r;
}

bool EsBlanco(const xmlChar* s) {
    if (s == nullptr) return true;
    for (; *s; ++s) {
        if (*s != ' ' && *s != '\t' && *s != '\n' && *s != '\r') return false;
    }
    return true;
}

// The indentation between elements is layout, not data: the readers count children by position
// and take the first child of a container, so it must not show up as nodes. Text is dropped only
// where it is blank and sits beside elements with no other text around, so a blank value of its
// own and the spacing inside mixed text stay as written.
void QuitarSangrado(xmlNodePtr raiz) {
    std::vector<xmlNodePtr> pendientes{raiz};
    while (!pendientes.empty()) {
        xmlNodePtr padre = pendientes.back();
        pendientes.pop_back();
        bool hay_elementos = false;
        bool hay_texto = false;
        for (xmlNodePtr h = padre->children; h; h = h->next) {
            if (h->type == XML_ELEMENT_NODE) {
                hay_elementos = true;
                pendientes.push_back(h);
            } else if (h->type == XML_CDATA_SECTION_NODE || h->type == XML_ENTITY_REF_NODE ||
                       (h->type == XML_TEXT_NODE && !EsBlanco(h->content))) {
                hay_texto = true;
            }
        }
        if (!hay_elementos || hay_texto) continue;
        for (xmlNodePtr h = padre->children; h;) {
            xmlNodePtr siguiente = h->next;
            if (h->type == XML_TEXT_NODE) {
                xmlUnlinkNode(h);
                xmlFreeNode(h);
            }
            h = siguiente;
        }
    }
}

struct Lectura {
    std::string error;
    int linea = 0;
    bool entidades = false;
};

Lectura& LecturaDe(void* ctx) {
    return *static_cast<Lectura*>(static_cast<xmlParserCtxtPtr>(ctx)->_private);
}

void AnotarError(void* ctx, xmlErrorPtr e) {
    auto& l = LecturaDe(ctx);
    if (e == nullptr || e->level < XML_ERR_ERROR || !l.error.empty()) return;
    l.error = e->message ? e->message : "error desconocido";
    while (!l.error.empty() && (l.error.back() == '\n' || l.error.back() == ' '))
        l.error.pop_back();
    l.linea = e->line;
}

// An exchange file never declares entities. Those that a file could declare are the two classic
// attacks on XML readers: external ones that pull a local file (or a URL) into the text, and
// nested ones that expand to gigabytes. Not loading or expanding them is not enough on its own,
// because the tree would still carry references that expand when the text is read; so a
// declaration stops the parse at once, before anything is expanded or fetched.
void RechazarEntidad(void* ctx, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
    LecturaDe(ctx).entidades = true;
    xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
}

void RechazarEntidadSinAnalizar(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*,
                                const xmlChar*) {
    LecturaDe(ctx).entidades = true;
    xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
}

struct Contexto {
    xmlParserCtxtPtr p;
    ~Contexto() { xmlFreeParserCtxt(p); }
};

struct ContextoXPath {
    xmlXPathContextPtr p;
    ~ContextoXPath() { xmlXPathFreeContext(p); }
};

struct ResultadoXPath {
    xmlXPathObjectPtr p;
    ~ResultadoXPath() { xmlXPathFreeObject(p); }
};

// The library leaves the message of an XPath error empty; where the path went wrong is what helps.
void AnotarErrorXPath(void* datos, xmlErrorPtr e) {
    auto& posicion = *static_cast<int*>(datos);
    if (e && posicion < 0) posicion = e->int1;
}

bool EsAncestroOMismo(xmlNodePtr posible, xmlNodePtr nodo) {
    for (; nodo; nodo = nodo->parent) {
        if (nodo == posible) return true;
    }
    return false;
}

// Appends without the library's merging of adjacent text nodes, which would free a node that a
// caller still holds.
void Enlazar(xmlNodePtr padre, xmlNodePtr hijo) {
    hijo->parent = padre;
    hijo->next = nullptr;
    hijo->prev = padre->last;
    if (padre->last) {
        padre->last->next = hijo;
    } else {
        padre->children = hijo;
    }
    padre->last = hijo;
}

struct Escritura {
    std::ofstream salida;
};

int Escribir(void* ctx, const char* datos, int largo) {
    auto& e = *static_cast<Escritura*>(ctx);
    e.salida.write(datos, largo);
    return e.salida ? largo : -1;
}

int Cerrar(void*) { return 0; }

}  // namespace

// Nodes outside the tree (created and not yet appended, or removed) still belong to the document:
// callers hold handles to them, so they live until the document goes.
struct Documento::Impl {
    xmlDocPtr doc = nullptr;
    std::unordered_set<xmlNodePtr> sueltos;

    Impl() { Vaciar(); }
    ~Impl() { Liberar(); }

    void Liberar() {
        for (xmlNodePtr n : sueltos) xmlFreeNode(n);
        sueltos.clear();
        if (doc) xmlFreeDoc(doc);
        doc = nullptr;
    }
    void Vaciar() {
        Liberar();
        doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
        if (!doc) throw std::bad_alloc();
    }
    void Soltar(xmlNodePtr n) {
        xmlUnlinkNode(n);
        sueltos.insert(n);
    }
    void Acoger(xmlNodePtr padre, xmlNodePtr hijo) {
        xmlUnlinkNode(hijo);
        sueltos.erase(hijo);
        Enlazar(padre, hijo);
    }

    ListaNodos Seleccionar(Documento* d, xmlNodePtr contexto, std::string_view ruta) const {
        ListaNodos lista;
        const std::string ruta8 = AnsiAUtf8(ruta);
        ContextoXPath ctx{xmlXPathNewContext(doc)};
        if (!ctx.p) throw std::bad_alloc();
        int posicion = -1;
        ctx.p->error = AnotarErrorXPath;
        ctx.p->userData = &posicion;
        ctx.p->node = contexto ? contexto : reinterpret_cast<xmlNodePtr>(doc);
        ResultadoXPath r{xmlXPathEvalExpression(X(ruta8), ctx.p)};
        if (!r.p) {
            throw Error("La ruta XML '" + ruta8 + "' no es válida" +
                        (posicion >= 0 ? " (carácter " + std::to_string(posicion + 1) + ")"
                                       : std::string()));
        }
        if (r.p->type != XPATH_NODESET) {
            throw Error("La ruta XML '" + ruta8 + "' no selecciona nodos");
        }
        if (r.p->nodesetval) {
            lista.nodos_.reserve(static_cast<std::size_t>(r.p->nodesetval->nodeNr));
            for (int i = 0; i < r.p->nodesetval->nodeNr; ++i) {
                lista.nodos_.push_back(NodoXML(d, r.p->nodesetval->nodeTab[i]));
            }
        }
        return lista;
    }
};

Documento::Documento() : impl_(std::make_unique<Impl>()) { IniciarBiblioteca(); }
Documento::~Documento() = default;

bool Documento::Cargar(const std::filesystem::path& fichero) {
    IniciarBiblioteca();
    impl_->Vaciar();
    error_.clear();
    const std::string nombre = RutaTexto(fichero);

    std::ifstream entrada(fichero, std::ios::binary);
    if (!entrada) {
        error_ = "No se puede abrir el archivo XML '" + nombre + "'";
        return false;
    }
    const std::string contenido{std::istreambuf_iterator<char>(entrada),
                                std::istreambuf_iterator<char>()};
    if (entrada.bad()) {
        error_ = "No se puede leer el archivo XML '" + nombre + "'";
        return false;
    }
    if (contenido.size() > static_cast<std::size_t>(INT_MAX)) {
        error_ = "El archivo XML '" + nombre + "' es demasiado grande";
        return false;
    }

    Contexto ctx{xmlNewParserCtxt()};
    if (!ctx.p || !ctx.p->sax) throw std::bad_alloc();
    Lectura lectura;
    ctx.p->_private = &lectura;
    ctx.p->sax->serror = AnotarError;
    ctx.p->sax->entityDecl = RechazarEntidad;
    ctx.p->sax->unparsedEntityDecl = RechazarEntidadSinAnalizar;
    // No XML_PARSE_NOENT, XML_PARSE_DTDLOAD, XML_PARSE_DTDATTR or XML_PARSE_HUGE: nothing from
    // outside the file is read, and the library's own size limits stay on.
    const int opciones = XML_PARSE_NONET | XML_PARSE_COMPACT;
    xmlDocPtr doc = xmlCtxtReadMemory(ctx.p, contenido.data(), static_cast<int>(contenido.size()),
                                      nombre.c_str(), nullptr, opciones);
    if (!doc || lectura.entidades) {
        if (doc) xmlFreeDoc(doc);
        if (lectura.entidades) {
            error_ = "El archivo XML '" + nombre +
                     "' declara entidades (<!ENTITY>); un archivo de intercambio no las lleva y "
                     "no se aceptan por seguridad";
        } else {
            error_ = "El archivo '" + nombre + "' no es un XML válido";
            if (!lectura.error.empty()) {
                error_ += " (línea " + std::to_string(lectura.linea) + ": " + lectura.error + ")";
            }
        }
        return false;
    }
    xmlFreeDoc(impl_->doc);
    impl_->doc = doc;
    QuitarSangrado(reinterpret_cast<xmlNodePtr>(doc));
    // Numbers the elements so that XPath sorts its results in document order quickly.
    xmlXPathOrderDocElems(doc);
    return true;
}

ListaNodos Documento::SeleccionarNodos(std::string_view ruta) const {
    return impl_->Seleccionar(const_cast<Documento*>(this), nullptr, ruta);
}

NodoXML Documento::SeleccionarNodo(std::string_view ruta) const {
    return SeleccionarNodos(ruta).Elemento(0);
}

NodoXML Documento::ElementoDocumento() const {
    return NodoXML(const_cast<Documento*>(this), xmlDocGetRootElement(impl_->doc));
}

NodoXML Documento::PrimerHijo() const {
    return NodoXML(const_cast<Documento*>(this), impl_->doc->children);
}

void Documento::QuitarHijo(NodoXML hijo) {
    if (!hijo || hijo.doc_ != this ||
        N(hijo.nodo_)->parent != reinterpret_cast<xmlNodePtr>(impl_->doc)) {
        throw Error("El nodo que se quiere quitar no es un hijo del documento XML");
    }
    impl_->Soltar(N(hijo.nodo_));
}

NodoXML Documento::CrearElemento(std::string_view nombre) {
    const std::string n = NombreValido(nombre);
    xmlNodePtr nodo = xmlNewDocNode(impl_->doc, nullptr, X(n), nullptr);
    if (!nodo) throw std::bad_alloc();
    impl_->sueltos.insert(nodo);
    return NodoXML(this, nodo);
}

void Documento::AnadirHijo(NodoXML hijo) {
    if (!hijo || hijo.doc_ != this) {
        throw Error("El nodo que se quiere añadir no pertenece a este documento XML");
    }
    xmlNodePtr n = N(hijo.nodo_);
    const bool admitido =
        n->type == XML_ELEMENT_NODE || n->type == XML_COMMENT_NODE || n->type == XML_PI_NODE;
    if (!admitido) throw Error("Ese nodo no puede colgar directamente del documento XML");
    xmlNodePtr raiz = xmlDocGetRootElement(impl_->doc);
    if (n->type == XML_ELEMENT_NODE && raiz && raiz != n) {
        throw Error("El documento XML ya tiene un elemento raíz");
    }
    impl_->Acoger(reinterpret_cast<xmlNodePtr>(impl_->doc), n);
}

namespace {

// On disk before it takes the target's name: a power cut must not leave an empty file there.
bool LlevarAlDisco(const std::filesystem::path& fichero) {
#if defined(_WIN32)
    (void)fichero;
    return true;
#else
    const int descriptor = ::open(fichero.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    const bool bien = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return bien;
#endif
}

}  // namespace

void Documento::Guardar(const std::filesystem::path& fichero) const {
    const std::string nombre = RutaTexto(fichero);
    // Written beside the target and renamed over it, so that a failed save leaves the old file.
    auto temporal = fichero;
    temporal += ".guardando";
    Escritura escritura;
    escritura.salida.open(temporal, std::ios::binary | std::ios::trunc);
    if (!escritura.salida) throw Error("No se puede crear el archivo XML '" + nombre + "'");

    // A document that declared no encoding (a new one) is written as UTF-8, and says so.
    const char* codificacion =
        impl_->doc->encoding ? reinterpret_cast<const char*>(impl_->doc->encoding) : "UTF-8";
    long escritos = -1;
    if (xmlSaveCtxtPtr s = xmlSaveToIO(Escribir, Cerrar, &escritura, codificacion, 0)) {
        escritos = xmlSaveDoc(s, impl_->doc);
        if (xmlSaveClose(s) < 0) escritos = -1;
    }
    escritura.salida.close();
    std::error_code ec;
    if (escritos < 0 || !escritura.salida) {
        std::filesystem::remove(temporal, ec);
        throw Error("No se puede escribir el archivo XML '" + nombre + "'");
    }
    if (!LlevarAlDisco(temporal)) {
        std::filesystem::remove(temporal, ec);
        throw Error("No se puede escribir el archivo XML '" + nombre + "'");
    }
    std::filesystem::rename(temporal, fichero, ec);
    if (ec) {
        std::error_code ignorado;
        std::filesystem::remove(temporal, ignorado);
        throw Error("No se puede guardar el archivo XML '" + nombre + "': " + ec.message());
    }
}

ListaNodos NodoXML::SeleccionarNodos(std::string_view ruta) const {
    if (!nodo_) return {};
    return doc_->impl_->Seleccionar(doc_, N(nodo_), ruta);
}

NodoXML NodoXML::SeleccionarNodo(std::string_view ruta) const {
    return SeleccionarNodos(ruta).Elemento(0);
}

std::string NodoXML::Texto() const {
    if (!nodo_) return {};
    xmlChar* texto = xmlNodeGetContent(N(nodo_));
    std::string r = DeBiblioteca(texto);
    xmlFree(texto);
    return r;
}

NodoXML NodoXML::PrimerHijo() const {
    if (!nodo_ || N(nodo_)->type == XML_ATTRIBUTE_NODE) return {};
    return NodoXML(doc_, N(nodo_)->children);
}

NodoXML NodoXML::SiguienteHermano() const {
    if (!nodo_ || N(nodo_)->type == XML_ATTRIBUTE_NODE) return {};
    return NodoXML(doc_, N(nodo_)->next);
}

bool NodoXML::EsElemento() const { return nodo_ && N(nodo_)->type == XML_ELEMENT_NODE; }

std::string NodoXML::Nombre() const {
    if (!nodo_) return {};
    const xmlNodePtr n = N(nodo_);
    switch (n->type) {
        case XML_TEXT_NODE:
            return "#text";
        case XML_CDATA_SECTION_NODE:
            return "#cdata-section";
        case XML_COMMENT_NODE:
            return "#comment";
        case XML_ELEMENT_NODE:
            if (n->ns && n->ns->prefix) {
                return DeBiblioteca(n->ns->prefix) + ":" + DeBiblioteca(n->name);
            }
            return DeBiblioteca(n->name);
        default:
            return DeBiblioteca(n->name);
    }
}

void NodoXML::PonerAtributo(std::string_view nombre, std::string_view valor) {
    if (!EsElemento()) throw Error("Solo un elemento XML puede llevar atributos");
    const std::string n = NombreValido(nombre);
    if (!xmlSetProp(N(nodo_), X(n), X(ALaBiblioteca(valor)))) throw std::bad_alloc();
}

void NodoXML::PonerTexto(std::string_view texto) {
    if (!EsElemento()) throw Error("Solo se puede poner texto a un elemento XML");
    xmlNodePtr n = N(nodo_);
    while (n->children) doc_->impl_->Soltar(n->children);
    const std::string t = ALaBiblioteca(texto);
    if (t.empty()) return;
    xmlNodePtr texto_nodo = xmlNewDocText(n->doc, X(t));
    if (!texto_nodo) throw std::bad_alloc();
    Enlazar(n, texto_nodo);
}

void NodoXML::AnadirHijo(NodoXML hijo) {
    if (!EsElemento()) throw Error("Solo se pueden añadir nodos a un elemento XML");
    if (!hijo || hijo.doc_ != doc_) {
        throw Error("El nodo que se quiere añadir no pertenece a este documento XML");
    }
    xmlNodePtr h = N(hijo.nodo_);
    if (h->type == XML_ATTRIBUTE_NODE || h->type == XML_DOCUMENT_NODE || h->type == XML_DTD_NODE) {
        throw Error("Ese nodo no puede ser hijo de un elemento XML");
    }
    if (EsAncestroOMismo(h, N(nodo_))) {
        throw Error("Un nodo XML no puede colgar de sí mismo ni de sus descendientes");
    }
    doc_->impl_->Acoger(N(nodo_), h);
}

}  // namespace rt
