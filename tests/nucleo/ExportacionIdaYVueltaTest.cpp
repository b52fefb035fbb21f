// The whole road on the bundled sample school: import, the stand-in solver, export. Every lesson
// of the exported file must lead back to the records of the original exchange file that the
// solved lesson stands for.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

#include "Ayuda.h"
#include "InterlocutorGuion.h"
#include "LecturaHorarios.h"
#include "export/Exportacion.h"
#include "import/Importacion.h"
#include "import/TablaNiveles.h"
#include "platform/Intercambio.h"
#include "platform/Tabla.h"
#include "text/Cp1252.h"
#include "text/Texto.h"

namespace rt::prueba {
namespace {

namespace fs = std::filesystem;

struct LeccionSoluc {
    std::string prof, asig, grupo, aula, tarea;
    int dia = 0, hora = 0;
};

std::vector<LeccionSoluc> LeerSoluc(const fs::path& trabajo) {
    Tabla t = Tabla::Abrir(trabajo, "SOLUC");
    std::vector<LeccionSoluc> filas;
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        filas.push_back({AnsiAUtf8(t.LeerTexto("PROF")), AnsiAUtf8(t.LeerTexto("ASIG")),
                         AnsiAUtf8(t.LeerTexto("CODGRUPO")), AnsiAUtf8(t.LeerTexto("AULA")),
                         AnsiAUtf8(t.LeerTexto("TAREA")), t.LeerEntero("DIA"),
                         t.LeerEntero("HORA")});
    }
    t.Cerrar();
    return filas;
}

std::map<std::string, std::string> Columnas(const fs::path& trabajo, const std::string& tabla,
                                            const std::string& clave, const std::string& valor) {
    Tabla t = Tabla::Abrir(trabajo, tabla);
    std::map<std::string, std::string> mapa;
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        mapa.emplace(AnsiAUtf8(t.LeerTexto(clave)), AnsiAUtf8(t.LeerTexto(valor)));
    }
    t.Cerrar();
    return mapa;
}

// The original exchange file, as plain UTF-8 values by position.
class Original {
  public:
    explicit Original(const fs::path& fichero) { EXPECT_TRUE(doc_.Cargar(fichero)); }
    std::vector<std::vector<std::string>> Registros(const std::string& bloque) const {
        std::vector<std::vector<std::string>> registros;
        for (const Registro& r : LeerBloque(doc_, bloque)) {
            if (!r.Utilizable()) continue;
            std::vector<std::string> valores;
            for (std::size_t i = 0; i < r.NumeroValores(); ++i) {
                valores.push_back(AnsiAUtf8(r.Valor(i)));
            }
            registros.push_back(valores);
        }
        return registros;
    }

  private:
    Documento doc_;
};

std::string SinBlancos(const std::string& texto) {
    std::string resultado;
    for (char c : texto) {
        if (c != ' ') resultado += c;
    }
    return resultado;
}

class ExportacionIdaYVueltaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(trabajo);
        fs::create_directories(programa);
        GenerarTablaNiveles(fs::path(RT_DIR_DATOS) / "NIVELLARI.txt", programa / "NIVELLARI.DBF");
        fs::copy_file(fs::path(RT_DIR_DATOS) / "ejemplo-racima.xml", ejemplo);
    }

    int Solucionar() {
        const std::string orden = (fs::path(RT_DIR_BIN) / "solucionador-sustituto").string() +
                                  " '" + trabajo.string() + "' > /dev/null";
        const int estado = std::system(orden.c_str());
        return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    }

    CarpetaTemporal carpeta;
    fs::path trabajo = carpeta / "TBTEMP";
    fs::path programa = carpeta / "programa";
    fs::path ejemplo = carpeta / "ejemplo-racima.xml";
};

TEST_F(ExportacionIdaYVueltaTest, CadaActividadLlevaALosRegistrosDelFicheroOriginal) {
    EstadoPrincipal estado;
    estado.CarpetaTrabajo = trabajo;
    estado.CarpetaPrograma = programa;
    InterlocutorGuion persona;
    persona.fichero = ejemplo;
    persona.plantilla = "101";
    EjecutarImportacion(estado, persona);
    ASSERT_EQ(estado.ValorTransformado, 1);

    ASSERT_EQ(Solucionar(), 0);
    const std::string solucion = LeerFichero(RutaTabla(trabajo, "SOLUC"));
    ASSERT_EQ(Solucionar(), 0);
    EXPECT_EQ(LeerFichero(RutaTabla(trabajo, "SOLUC")), solucion) << "no es determinista";

    estado.ValorTransformado = 0;
    EjecutarExportacion(estado, persona);
    ASSERT_EQ(estado.ValorTransformado, 1);
    const std::string original = LeerFichero(ejemplo);
    EXPECT_EQ(LeerFichero(fs::path(RT_DIR_DATOS) / "ejemplo-racima.xml"), original);

    // What the original file says.
    const Original racima(ejemplo);
    const auto empleados = racima.Registros("EMPLEADOS");
    std::map<std::string, std::vector<std::string>> unidades;  // key: name, course
    for (const auto& r : racima.Registros("UNIDADES")) unidades[r.at(0)] = {r.at(1), r.at(2)};
    std::map<std::pair<std::string, std::string>, std::string> materias;  // course, key: name
    for (const auto& r : racima.Registros("MATERIAS")) materias[{r.at(0), r.at(1)}] = r.at(2);
    std::set<std::string> actividades;
    for (const auto& r : racima.Registros("ACTIVIDADES")) actividades.insert(r.at(1));
    std::set<std::string> dependencias;
    for (const auto& r : racima.Registros("DEPENDENCIAS")) dependencias.insert(r.at(0));
    std::map<std::string, std::pair<int, int>> tramos;  // of template 101: start, end
    std::set<int> inicios;
    for (const auto& r : racima.Registros("TRAMOS_HORARIOS")) {
        if (r.at(4) != "101") continue;
        tramos[r.at(0)] = {std::stoi(r.at(2)), std::stoi(r.at(3))};
        inicios.insert(std::stoi(r.at(2)));
    }
    std::vector<std::string> periodo;
    for (const auto& r : racima.Registros("JORNADAS_ESCOLARES")) {
        if (r.at(0) == "101") periodo = {r.at(2), r.at(3)};
    }
    ASSERT_EQ(periodo.size(), 2u);

    // What the solver placed, and the meaning of its subject codes.
    const std::vector<LeccionSoluc> soluc = LeerSoluc(trabajo);
    const auto nombreDeMateria = Columnas(trabajo, "ASIGNOMT", "COD", "NOMBRE");
    std::vector<std::string> profesores;
    {
        Tabla t = Tabla::Abrir(trabajo, "PROFT");
        for (t.Primero(); !t.Fin(); t.Siguiente())
            profesores.push_back(AnsiAUtf8(t.LeerTexto("ABREV")));
        t.Cerrar();
    }
    ASSERT_EQ(profesores.size(), empleados.size());

    Documento exportado;
    ASSERT_TRUE(exportado.Cargar(carpeta / "ResultadoVestroejemplo-racima.xml"));
    const BloqueLeido horarios =
        LeerBloqueXML(exportado.SeleccionarNodo("/SERVICIO/BLOQUE_DATOS/grupo_datos[2]"));
    ASSERT_EQ(horarios.hijos.size(), empleados.size());

    std::size_t comprobadas = 0, clases = 0, guardias = 0;
    for (std::size_t n = 0; n < empleados.size(); ++n) {
        const BloqueLeido& profesor = horarios.hijos[n];
        SCOPED_TRACE(profesor.seq);
        EXPECT_EQ(profesor.Dato("X_EMPLEADO"), empleados[n].at(0));
        EXPECT_EQ(profesor.Dato("F_TOMAPOS"), empleados[n].at(1));
        std::vector<LeccionSoluc> suyas;
        for (const LeccionSoluc& s : soluc) {
            if (s.prof == profesores[n] && s.dia != 0) suyas.push_back(s);
        }
        ASSERT_EQ(profesor.hijos.size(), suyas.size());
        EXPECT_EQ(profesor.registros, std::to_string(suyas.size()));
        for (std::size_t m = 0; m < suyas.size(); ++m) {
            const BloqueLeido& a = profesor.hijos[m];
            const LeccionSoluc& s = suyas[m];
            SCOPED_TRACE(a.seq + " " + s.asig + " " + s.grupo);
            EXPECT_EQ(a.Dato("N_DIASEMANA"), std::to_string(s.dia));
            ASSERT_TRUE(tramos.contains(a.Dato("X_TRAMO")));
            const auto [inicio, fin] = tramos.at(a.Dato("X_TRAMO"));
            EXPECT_EQ(a.Dato("N_HORINI"), std::to_string(inicio));
            EXPECT_EQ(a.Dato("N_HORFIN"), std::to_string(fin));
            EXPECT_EQ(std::distance(inicios.begin(), inicios.find(inicio)) + 1, s.hora);
            EXPECT_EQ(a.Dato("F_INICIO"), periodo[0]);
            EXPECT_EQ(a.Dato("F_FIN"), periodo[1]);
            if (s.aula.empty()) {
                EXPECT_EQ(a.Dato("X_DEPENDENCIA"), "");
            } else {
                EXPECT_EQ(a.Dato("X_DEPENDENCIA"), s.aula);
                EXPECT_TRUE(dependencias.contains(s.aula));
            }
            if (s.grupo.empty()) {  // a duty: the activity's own code, no unit or subject
                ++guardias;
                EXPECT_TRUE(actividades.contains(a.Dato("X_ACTIVIDAD")));
                EXPECT_EQ(LeftPart(a.Dato("X_ACTIVIDAD"), 4), s.asig);
                EXPECT_EQ(a.Dato("X_UNIDAD") + a.Dato("X_OFERTAMATRIG") + a.Dato("X_MATERIAOMG"),
                          "");
            } else {
                ++clases;
                ASSERT_TRUE(unidades.contains(a.Dato("X_UNIDAD")));
                const std::string nombreUnidad = SinBlancos(unidades.at(a.Dato("X_UNIDAD"))[0]);
                // The unit's code is made of its name: three characters and the last one.
                EXPECT_EQ(Utf8AAnsi(s.grupo), LeftPart(Utf8AAnsi(nombreUnidad), 3) +
                                                  RightPart(Utf8AAnsi(nombreUnidad), 1));
                EXPECT_EQ(a.Dato("X_OFERTAMATRIG"), unidades.at(a.Dato("X_UNIDAD"))[1]);
                const auto materia =
                    materias.find({a.Dato("X_OFERTAMATRIG"), a.Dato("X_MATERIAOMG")});
                ASSERT_NE(materia, materias.end());
                // ASIGNOMT keeps the subject's name cut to its forty characters.
                EXPECT_EQ(LeftPart(Utf8AAnsi(materia->second), 40),
                          Utf8AAnsi(nombreDeMateria.at(s.asig)));
                EXPECT_EQ(a.Dato("X_ACTIVIDAD"), TrimBoth(s.tarea).empty() ? "1" : s.tarea);
            }
            ++comprobadas;
        }
    }
    EXPECT_GT(clases, 300u);
    EXPECT_GT(guardias, 0u);

    // The solver's promises: every lesson of ASIGT is in SOLUC, placed or left out; no teacher,
    // unit or room twice at one day and hour; and the rows a real timetable has.
    std::map<std::pair<std::string, std::string>, int> porAsignacion;
    std::set<std::tuple<std::string, int, int>> ocupados;
    std::size_t fueraDelHorario = 0, sinTarea = 0, sinAula = 0;
    for (const LeccionSoluc& s : soluc) {
        ++porAsignacion[{s.asig, s.grupo}];
        fueraDelHorario += s.dia == 0;
        sinTarea += s.tarea.empty();
        sinAula += s.aula.empty();
        if (s.dia == 0) continue;
        for (const std::string& quien : {"P" + s.prof, "G" + s.grupo, "A" + s.aula}) {
            if (quien.size() == 1) continue;
            EXPECT_TRUE(ocupados.insert({quien, s.dia, s.hora}).second)
                << quien << " dos veces el día " << s.dia << " a la hora " << s.hora;
        }
    }
    Tabla asignaciones = Tabla::Abrir(trabajo, "ASIGT");
    for (asignaciones.Primero(); !asignaciones.Fin(); asignaciones.Siguiente()) {
        const std::pair<std::string, std::string> clave = {
            AnsiAUtf8(asignaciones.LeerTexto("CASIG")), AnsiAUtf8(asignaciones.LeerTexto("CGRUP"))};
        EXPECT_GE(porAsignacion[clave], 4) << clave.first << " " << clave.second;
    }
    asignaciones.Cerrar();
    EXPECT_GT(fueraDelHorario, 0u);
    EXPECT_GT(sinTarea, 0u);
    EXPECT_GT(sinAula, 0u);
    EXPECT_EQ(comprobadas, soluc.size() - fueraDelHorario);
}

}  // namespace
}  // namespace rt::prueba
