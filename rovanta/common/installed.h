// The one object that answers for a platform service (the message dialog,
// the save-file dialog): the GUI installs it, tests install scripted ones.
#pragma once

namespace rovanta {

template <class Interface> class Installed {
public:
    /// The installed object, or nullptr.
    static Interface* get() { return slot(); }
    /// Not owned; nullptr removes it.
    static void install(Interface* object) { slot() = object; }

    /// Installs an object for its own lifetime, then restores the previous one.
    class Scope {
    public:
        explicit Scope(Interface& object) : previous_(get()) { install(&object); }
        ~Scope() { install(previous_); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Interface* previous_;
    };

private:
    static Interface*& slot()
    {
        static Interface* object = nullptr;
        return object;
    }
};

} // namespace rovanta
