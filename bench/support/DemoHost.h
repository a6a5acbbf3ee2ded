#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <memory>

namespace ado {
class Connection;
}
namespace com {
class Runtime;
}

namespace suite {
class HostSession;
}

namespace suite::bench {

// A demo database in a temporary folder, removed with the object, and the host session of user
// "BENCH" on it, its messages going to a recorder. When KESTROVA_BENCH_CONNECT holds an ODBC
// connection string, the demo data goes into that server database instead (its suite tables
// replaced) and the session opens on it. Construction raises com::RuntimeError when
// the database cannot be built.
class DemoHost {
public:
    struct Options {
        int trips = 100000;
        QDate today;
        // Runs on the building connection once the demo data is in, before the session opens.
        std::function<void(ado::Connection&)> prepare;
    };

    explicit DemoHost(const Options& options);
    ~DemoHost();
    DemoHost(const DemoHost&) = delete;
    DemoHost& operator=(const DemoHost&) = delete;

    // KESTROVA_BENCH_TRIPS when set, else 'fallback'.
    static int tripsFromEnvironment(int fallback = 100000);

    // A runtime whose registry lies in the temporary folder, with the host services and the
    // control kit registered on this session, as the screens find them. Once only.
    void startRuntime();

    const std::shared_ptr<HostSession>& session() const;
    ado::Connection& connection() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace suite::bench
