#include "DemoNames.h"

namespace suite {

namespace {

std::vector<QString> list(std::initializer_list<const char*> words) {
    std::vector<QString> out;
    out.reserve(words.size());
    for (const char* w : words)
        out.push_back(QString::fromUtf8(w));
    return out;
}

} // namespace

const std::vector<QString>& DemoNames::firstNames() {
    static const auto names =
        list({"Juan",      "María",    "José",     "Guadalupe", "Francisco", "Juana",  "Antonio",
              "Margarita", "Jesús",    "Verónica", "Alejandro", "Leticia",   "Miguel", "Rosa",
              "Pedro",     "Patricia", "Roberto",  "Adriana",   "Fernando",  "Elena",  "Ricardo",
              "Gabriela",  "Javier",   "Lucía",    "Arturo",    "Silvia",    "Héctor", "Carmen",
              "Raúl",      "Sofía",    "Sergio",   "Teresa",    "Óscar",     "Claudia"});
    return names;
}

const std::vector<QString>& DemoNames::surnames() {
    static const auto names =
        list({"Hernández",  "García",  "Martínez", "López",    "González",  "Pérez",   "Rodríguez",
              "Sánchez",    "Ramírez", "Cruz",     "Flores",   "Gómez",     "Morales", "Vázquez",
              "Jiménez",    "Reyes",   "Díaz",     "Torres",   "Gutiérrez", "Ruiz",    "Mendoza",
              "Aguilar",    "Ortiz",   "Moreno",   "Castillo", "Romero",    "Álvarez", "Méndez",
              "Chávez",     "Rivera",  "Juárez",   "Ramos",    "Domínguez", "Garza",   "Treviño",
              "Villarreal", "Salinas", "Cantú",    "Ibarra",   "Núñez"});
    return names;
}

const std::vector<QString>& DemoNames::businessKinds() {
    static const auto kinds = list({"Abarrotes", "Ferretería", "Distribuidora", "Comercializadora",
                                    "Materiales", "Papelería", "Farmacia", "Refaccionaria",
                                    "Tlapalería", "Constructora", "Mueblería", "Tiendas"});
    return kinds;
}

const std::vector<QString>& DemoNames::businessNames() {
    static const auto names = list(
        {"La Esperanza", "El Roble",  "San José",    "del Norte", "Santa Fe",   "Hermanos Garza",
         "Los Pinos",    "El Sol",    "La Huasteca", "del Bajío", "San Miguel", "La Paloma",
         "El Faro",      "Monterrey", "La Perla",    "Don Chuy",  "Anáhuac",    "El Progreso",
         "Lomas",        "Cumbres",   "La Silla",    "Guadalupe", "Tres Ríos",  "El Mirador"});
    return names;
}

const std::vector<DemoNames::Product>& DemoNames::products() {
    static const std::vector<Product> items = {
        {"CEM-GRIS-50", "Cemento gris 50 kg", "BUL", 245.00, 50.0, 0.035},
        {"MOR-30", "Mortero 30 kg", "BUL", 138.50, 30.0, 0.022},
        {"VAR-38", "Varilla corrugada 3/8\" 12 m", "PZA", 189.90, 6.72, 0.002},
        {"VAR-12", "Varilla corrugada 1/2\" 12 m", "PZA", 329.00, 11.9, 0.003},
        {"BLK-15", "Block de concreto 15x20x40", "PZA", 14.80, 13.0, 0.012},
        {"TAB-ROJ", "Tabique rojo recocido", "MIL", 3850.00, 2200.0, 1.6},
        {"PIN-VIN-19", "Pintura vinílica blanca 19 l", "CUB", 1249.00, 24.0, 0.025},
        {"IMP-ACR-19", "Impermeabilizante acrílico 19 l", "CUB", 1590.00, 22.0, 0.025},
        {"TUB-PVC-4", "Tubo PVC sanitario 4\" 6 m", "PZA", 412.00, 7.8, 0.05},
        {"CAB-THW-12", "Cable THW calibre 12, rollo 100 m", "ROL", 1175.00, 5.4, 0.01},
        {"AZU-2030", "Azulejo blanco 20x30, caja 1.5 m²", "CJA", 289.00, 19.0, 0.018},
        {"ARE-M3", "Arena de río", "M3", 520.00, 1500.0, 1.0},
        {"GRA-M3", "Grava 3/4\"", "M3", 610.00, 1600.0, 1.0},
        {"LAM-GAL", "Lámina galvanizada cal. 26, 3.05 m", "PZA", 538.00, 14.5, 0.004},
        {"CLA-4", "Clavo estándar 4\", caja 25 kg", "CJA", 890.00, 25.0, 0.015},
        {"YES-40", "Yeso 40 kg", "BUL", 119.00, 40.0, 0.03},
        {"TIN-1100", "Tinaco 1100 l", "PZA", 2390.00, 22.0, 1.3},
        {"CAL-25", "Cal hidratada 25 kg", "BUL", 92.00, 25.0, 0.025},
    };
    return items;
}

const std::vector<QString>& DemoNames::remarks() {
    static const auto texts =
        list({"Entregar por la mañana", "Llamar antes de llegar", "entrega d'urgencia",
              "Cliente cierra a las 14:00", "Descargar en bodega trasera",
              "Recibe el Sr. O'Brien en caseta", "No recibe en domingo", "Acceso por calle lateral",
              "Material frágil, no estibar", "Pedir sello en la remisión",
              "Obra en construcción, preguntar por el residente", "Cobrar contra entrega"});
    return texts;
}

const std::vector<QString>& DemoNames::operators() {
    static const auto codes = list({"JPEREZ", "MLOPEZ", "AGARCIA", "RTREVINO", "SISTEMA"});
    return codes;
}

} // namespace suite
