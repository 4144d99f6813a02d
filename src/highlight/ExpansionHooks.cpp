#include "highlight/ExpansionHooks.h"

#include "editor/TCM_Settings.h"
#include "highlight/LanguageSettings.h"
#include "highlight/TAutoReplace.h"
#include "highlight/TCodeTemplates.h"

namespace quarry {

namespace {

template <class Hook>
std::shared_ptr<Hook> reuseOrCreate(const std::shared_ptr<TCodeMemoKeyHook>& existing)
{
    if (auto same = std::dynamic_pointer_cast<Hook>(existing))
        return same;
    return std::make_shared<Hook>();
}

}  // namespace

void installExpansionHooks(const LanguageSettings& language, TCM_Settings& settings,
                           const std::shared_ptr<TCodeMemoKeyHook>& templates,
                           const std::shared_ptr<TCodeMemoKeyHook>& autoReplace)
{
    auto codeTemplates = reuseOrCreate<TCodeTemplates>(templates);
    codeTemplates->Assign(language);
    auto replace = reuseOrCreate<TAutoReplace>(autoReplace);
    replace->Assign(language);
    settings.templateHook = std::move(codeTemplates);
    settings.autoReplaceHook = std::move(replace);
}

TCodeTemplates* codeTemplatesOf(TCM_Settings& settings)
{
    return dynamic_cast<TCodeTemplates*>(settings.templateHook.get());
}

TAutoReplace* autoReplaceOf(TCM_Settings& settings)
{
    return dynamic_cast<TAutoReplace*>(settings.autoReplaceHook.get());
}

}  // namespace quarry
