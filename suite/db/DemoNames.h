#pragma once

#include <QString>
#include <vector>

namespace suite {

// The word lists the demo data draws its names, products and remarks from.
class DemoNames {
public:
    struct Product {
        const char* code;
        const char* description;
        const char* unit;
        double price;
        double kilos; // per unit
        double cubicMetres;
    };

    static const std::vector<QString>& firstNames();
    static const std::vector<QString>& surnames();
    static const std::vector<QString>& businessKinds();
    static const std::vector<QString>& businessNames();
    static const std::vector<Product>& products();
    // Delivery remarks; some hold an apostrophe, as operators type them.
    static const std::vector<QString>& remarks();
    static const std::vector<QString>& operators();
};

} // namespace suite
