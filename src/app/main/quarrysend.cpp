// Sends one of Quarry's notices to every running instance that listens for it, the way a
// cooperating program (a debugger, a programmer) brings the environment to the front.
//
//   quarrysend maximize                  restore every running Quarry
//   quarrysend instance <program path>   restore the Quarry installed at that program path
//   quarrysend closedown                 the notice Quarry itself sends when it ends
//
// Exit status 0 when at least one program took the notice, 1 when none did, 2 on bad usage.
#include "app/InstanceMessages.h"
#include "app/ui/InstanceChannel.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    std::string message;
    if (command == "maximize" && argc == 2)
        message = quarry::kMaximizeMessage;
    else if (command == "closedown" && argc == 2)
        message = quarry::kCloseDownMessage;
    else if (command == "instance" && argc == 3)
        message = quarry::instanceMessageFor(argv[2]);
    if (message.empty()) {
        std::fprintf(stderr, "usage: quarrysend maximize | closedown | instance <program path>\n");
        return 2;
    }
    const int delivered = quarry::InstanceChannel::send(message);
    std::printf("%d\n", delivered);
    return delivered > 0 ? 0 : 1;
}
