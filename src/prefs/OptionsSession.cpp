#include "prefs/OptionsSession.h"

#include "highlight/ParserRegistry.h"
#include "highlight/TCodeMemoParser.h"

namespace quarry {

OptionsSession::OptionsSession(TCodeMemoParser& parser) : settings_(parser.settings()), keys_(parser.Settings().keys) {}

LanguageSettings OptionsSession::Result() const
{
    LanguageSettings result = settings_;
    if (keys_.Changed())
        ParserRegistry::TakeKeyTable(keys_.Keys(), result);
    return result;
}

void OptionsSession::Apply(TCodeMemoParser& parser, KeyValueStore* registry) const
{
    parser.settings() = Result();
    parser.applySettings();
    if (registry && parser.useRegistry && !parser.registryKey.empty())
        ParserRegistry::Save(parser, *registry);
}

}  // namespace quarry
