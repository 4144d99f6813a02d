#pragma once
#include <array>
#include <string>

namespace quarry {

inline constexpr const char* kMaximizeMessage = "TALVIK SYSTEMS - MAXIMIZE IDE!";
inline constexpr const char* kCloseDownMessage = "TALVIK SYSTEMS - CLOSE DOWN APPLICATIONS!";
inline constexpr const char* kSpareMaximizeMessage = "TALVIK SYSTEMS - A LA MAXIMIZE!";

// The named notices by which cooperating programs talk to a running instance. Each is known by
// its message string; the channel a notice travels on is named after that string.
struct InstanceMessages {
    std::string instance;       // restore request for this installation and version
    std::string maximize;       // restore request from any cooperating program
    std::string closeDown;      // sent by this program when its main window goes
    std::string spareMaximize;  // known by name only; neither sent nor handled

    // The messages of the program file at `programPath`.
    static InstanceMessages forProgram(const std::string& programPath);
    // In the order in which they are registered at start-up.
    std::array<std::string, 4> inRegistrationOrder() const { return {instance, maximize, closeDown, spareMaximize}; }
};

// The message of one installation: its program path, the title and the version, upper-cased by
// the ANSI code page and cut to 255 characters.
std::string instanceMessageFor(const std::string& programPath);

// A name for the channel of a message, fit for a local socket or pipe: the message's letters
// cannot be used as they are (a path holds separators and may be longer than a socket name may
// be), so the name carries a 64-bit hash of the whole message and a readable prefix.
std::string channelNameFor(const std::string& message);

}  // namespace quarry
