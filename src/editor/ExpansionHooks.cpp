#include "editor/ExpansionHooks.h"

#include "editorsettings/TCM_Settings.h"
#include "highlight/LanguageSettings.h"
#include "highlight/TExpansionInstaller.h"
#include "editor/TAutoReplace.h"
#include "editor/TCodeTemplates.h"

namespace quarry {

namespace {

template <class Hook>
std::shared_ptr<Hook> reuseOrCreate(const std::shared_ptr<TCodeMemoKeyHook>& existing)
{
    if (auto same = std::dynamic_pointer_cast<Hook>(existing))
        return same;
    return std::make_shared<Hook>();
}

class EditorExpansionInstaller final : public TExpansionInstaller {
public:
    void Install(const LanguageSettings& language, TCM_Settings& settings,
                 const std::shared_ptr<TCodeMemoKeyHook>& templates,
                 const std::shared_ptr<TCodeMemoKeyHook>& autoReplace) override
    {
        installExpansionHooks(language, settings, templates, autoReplace);
    }
};

EditorExpansionInstaller installer;
// Set before main, so that every parser a program creates gets the hooks.
[[maybe_unused]] const bool installed = (TExpansionInstaller::SetCurrent(&installer), true);

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

bool runExpansionHooks(TCustomCodeMemo& memo, TCM_Settings& settings, std::uint16_t& key, TShiftState& shift)
{
    if (settings.templateHook && settings.templateHook->KeyDown(memo, key, shift))
        return true;
    return settings.autoReplaceHook && settings.autoReplaceHook->KeyDown(memo, key, shift);
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
