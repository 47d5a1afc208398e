#include "LibsecretStore.h"

#include "platform/CodePage.h"

#include <libsecret/secret.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>
#include <thread>

namespace {

constexpr const char* kServiceName = "org.freedesktop.secrets";
constexpr const char* kApplication = "quillon";

const SecretSchema* PasswordSchema() {
    static const SecretSchema schema = [] {
        SecretSchema made{};
        made.name = "org.quillon.Password";
        made.flags = SECRET_SCHEMA_NONE;
        made.attributes[0] = {"application", SECRET_SCHEMA_ATTRIBUTE_STRING};
        made.attributes[1] = {"user", SECRET_SCHEMA_ATTRIBUTE_STRING};
        return made;
    }();
    return &schema;
}

// Cancels the call it is given to when the time limit passes first.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds limit)
        : m_cancellable(g_cancellable_new()), m_watch([this, limit] {
              std::unique_lock lock(m_mutex);
              if (!m_finished.wait_for(lock, limit, [this] { return m_done; }))
                  g_cancellable_cancel(m_cancellable);
          }) {}
    ~Deadline() {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_finished.notify_one();
        m_watch.join();
        g_object_unref(m_cancellable);
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

    GCancellable* Cancellable() const { return m_cancellable; }

private:
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    GCancellable* m_cancellable;
    std::thread m_watch; // last: it uses the members above
};

// Frees the error a call left; true when there was none.
bool Succeeded(GError* error) {
    if (!error)
        return true;
    g_error_free(error);
    return false;
}

// Without an address in the environment GIO would fall back to starting a bus of its own
// (autolaunch); only the standard per-user socket is taken instead.
bool HasSessionBus() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address)
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat socketInfo {};
    return runtime && *runtime && stat((std::string(runtime) + "/bus").c_str(), &socketInfo) == 0 &&
           S_ISSOCK(socketInfo.st_mode);
}

// The text the service keeps: UTF-8 of the ANSI text, none when the way back would not give
// the same bytes.
std::optional<std::string> ToServiceText(const std::string& ansi) {
    std::string utf8 = AnsiTextToUtf8(ansi);
    if (Utf8TextToAnsi(utf8) != ansi)
        return std::nullopt;
    return utf8;
}

} // namespace

LibsecretStore::LibsecretStore(std::chrono::milliseconds timeLimit) : m_timeLimit(timeLimit) {}

bool LibsecretStore::IsRunning() const {
    if (!HasSessionBus())
        return false;
    const Deadline deadline(m_timeLimit);
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, deadline.Cancellable(), &error);
    if (!Succeeded(error) || !bus)
        return false;
    // The program goes on when the bus goes away (GIO would end it).
    g_dbus_connection_set_exit_on_close(bus, FALSE);
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", kServiceName), G_VARIANT_TYPE("(b)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, static_cast<gint>(m_timeLimit.count()),
        deadline.Cancellable(), &error);
    g_object_unref(bus);
    if (!Succeeded(error) || !reply)
        return false;
    gboolean owned = FALSE;
    g_variant_get(reply, "(b)", &owned);
    g_variant_unref(reply);
    return owned;
}

std::optional<std::string> LibsecretStore::Lookup(const std::string& user) {
    const std::optional<std::string> name = ToServiceText(user);
    if (!name || !IsRunning())
        return std::nullopt;
    const Deadline deadline(m_timeLimit);
    GError* error = nullptr;
    gchar* found =
        secret_password_lookup_sync(PasswordSchema(), deadline.Cancellable(), &error, "application",
                                    kApplication, "user", name->c_str(), nullptr);
    if (!Succeeded(error) || !found)
        return std::nullopt;
    bool valid = false;
    std::string password = Utf8TextToAnsi(found, valid);
    secret_password_free(found);
    if (!valid)
        return std::nullopt;
    return password;
}

bool LibsecretStore::Store(const std::string& user, const std::string& password) {
    const std::optional<std::string> name = ToServiceText(user);
    const std::optional<std::string> secret = ToServiceText(password);
    if (!name || !secret || !IsRunning())
        return false;
    const Deadline deadline(m_timeLimit);
    GError* error = nullptr;
    const std::string label = "Quillon: " + *name;
    const gboolean stored =
        secret_password_store_sync(PasswordSchema(), SECRET_COLLECTION_DEFAULT, label.c_str(),
                                   secret->c_str(), deadline.Cancellable(), &error, "application",
                                   kApplication, "user", name->c_str(), nullptr);
    return Succeeded(error) && stored;
}

bool LibsecretStore::Remove(const std::string& user) {
    const std::optional<std::string> name = ToServiceText(user);
    if (!name || !IsRunning())
        return false;
    const Deadline deadline(m_timeLimit);
    GError* error = nullptr;
    // False without an error: there was nothing to remove.
    secret_password_clear_sync(PasswordSchema(), deadline.Cancellable(), &error, "application",
                               kApplication, "user", name->c_str(), nullptr);
    return Succeeded(error);
}

void LibsecretStore::InstallForProcess() {
    static LibsecretStore store;
    SecretStore::Install(&store);
}
