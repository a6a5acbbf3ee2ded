#pragma once

#include <QDate>
#include <QString>

namespace ado {
class Connection;
}

namespace suite {

// A believable data set for people and benchmarks: branches, vehicle types, vehicles,
// drivers and clients (some withdrawn, "BA"), trips around a given day with their delivery
// orders (1 to 20 lines), shipments, remissions, sales and document links. The same options give
// the same rows, whatever the machine's clock says.
class DemoData {
public:
    struct Options {
        int trips = 500;
        quint32 seed = 1;
        // Trips fall between 30 days before and 30 days after it; null: the machine's date.
        QDate today;
    };

    struct Summary {
        int branches = 0;
        int vehicleTypes = 0;
        int vehicles = 0;
        int drivers = 0;
        int clients = 0;
        int trips = 0;
        int orders = 0;
        int orderLines = 0;
        int shipments = 0;
        int remissions = 0;
        int sales = 0;
        int documentLinks = 0;
        int tripLinks = 0;

        // One line for the operator, in Spanish.
        QString text() const;
    };

    // Fills a database fresh from Schema::create, in one transaction: on failure nothing is
    // written and com::RuntimeError names the table and the database's message.
    static Summary generate(ado::Connection& connection, const Options& options);
};

} // namespace suite
