#include "highlight/TCustomCodeMemoParser.h"

#include <algorithm>

namespace quarry {

TCustomCodeMemoParser::~TCustomCodeMemoParser() {
    // A client may remove itself while being told, so work on a copy.
    const std::vector<TParserClient*> clients = clients_;
    for (TParserClient* client : clients) client->ParserDestroyed(*this);
}

bool TCustomCodeMemoParser::ExecuteOptionsDialog(std::uint32_t) { return false; }

void TCustomCodeMemoParser::AddClient(TParserClient& client) {
    if (std::find(clients_.begin(), clients_.end(), &client) == clients_.end()) clients_.push_back(&client);
}

void TCustomCodeMemoParser::RemoveClient(TParserClient& client) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), &client), clients_.end());
}

void TCustomCodeMemoParser::NotifyChanged() {
    const std::vector<TParserClient*> clients = clients_;
    for (TParserClient* client : clients) client->ParserChanged(*this);
}

}  // namespace quarry
