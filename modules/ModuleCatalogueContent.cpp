#include "modules/ModuleCatalogueContent.h"

#include "modules/AudioModules.h"
#include "modules/CtrlModules.h"
#include "modules/EnvModules.h"
#include "modules/FilterModules.h"
#include "modules/InOutModules.h"
#include "modules/LfoModules.h"
#include "modules/LogicModules.h"
#include "modules/MixerModules.h"
#include "modules/OscModules.h"
#include "modules/SeqModules.h"

namespace {

template <typename Builder> void Add(CModuleCatalogue& catalogue)
{
    catalogue.Add(std::make_unique<Builder>());
}

} // namespace

std::unique_ptr<CModuleCatalogue> MakeModuleCatalogue()
{
    auto catalogue = std::make_unique<CModuleCatalogue>();
    CModuleCatalogue& c = *catalogue;

    c.StartTab("In/Out");
    Add<CBModuleMidi>(c);
    Add<CBModuleMidib>(c);
    Add<CBModuleMidic>(c);
    c.AddSeparator();
    Add<CBModuleAudio>(c);
    Add<CBModulePolyin>(c);
    c.AddSeparator();
    Add<CBModuleOut1>(c);
    Add<CBModuleOut2>(c);
    Add<CBModuleOut4>(c);
    c.AddSeparator();
    Add<CBModuleNotedet>(c);
    Add<CBModuleSplit>(c);

    c.StartTab("Osc");
    Add<CBModuleMstosc>(c);
    Add<CBModuleOsc>(c);
    Add<CBModuleOscb>(c);
    Add<CBModuleOscc>(c);
    Add<CBModuleTiltosc>(c);
    Add<CBModuleNoisosc>(c);
    c.AddSeparator();
    Add<CBModuleOsch>(c);
    Add<CBModuleOscd>(c);
    Add<CBModuleOsce>(c);
    Add<CBModuleOscf>(c);
    Add<CBModuleOscg>(c);
    Add<CBModuleOscj>(c);
    Add<CBModuleOscop>(c);
    c.AddSeparator();
    Add<CBModuleNoisea>(c);
    c.AddSeparator();
    Add<CBModuleTfilter>(c);
    Add<CBModuleDrum>(c);

    c.StartTab("LFO");
    Add<CBModuleLfoa>(c);
    Add<CBModuleLfob>(c);
    Add<CBModuleLfoc>(c);
    c.AddSeparator();
    Add<CBModuleLfoh>(c);
    Add<CBModuleLfod>(c);
    Add<CBModuleLfoe>(c);
    Add<CBModuleLfof>(c);
    Add<CBModuleLfog>(c);
    c.AddSeparator();
    Add<CBModuleClkgen>(c);
    c.AddSeparator();
    Add<CBModuleRandoma>(c);
    Add<CBModuleRandomb>(c);
    Add<CBModuleRandomd>(c);
    Add<CBModuleRandomc>(c);
    Add<CBModuleLooprnd>(c);

    c.StartTab("Env");
    Add<CBModuleEnvc>(c);
    Add<CBModuleEnvd>(c);
    Add<CBModuleEnvmod>(c);
    Add<CBModuleEnvahd>(c);
    Add<CBModuleEnvbi>(c);
    c.AddSeparator();
    Add<CBModuleEnvfol2>(c);

    c.StartTab("Filter");
    Add<CBModuleFilterf>(c);
    Add<CBModuleFilterg>(c);
    Add<CBModuleFilterb>(c);
    c.AddSeparator();
    Add<CBModuleFiltera>(c);
    Add<CBModuleFilterc>(c);
    Add<CBModuleFilterh>(c);
    c.AddSeparator();
    Add<CBModuleFormflt>(c);
    Add<CBModuleVocoder>(c);
    Add<CBModuleFilterBank>(c);
    c.AddSeparator();
    Add<CBModuleEqpeak>(c);
    Add<CBModuleEqshelv>(c);

    c.StartTab("Mixer");
    Add<CBModuleMixl>(c);
    Add<CBModuleMixbig>(c);
    c.AddSeparator();
    Add<CBModuleVca>(c);
    c.AddSeparator();
    Add<CBModuleMixs>(c);
    Add<CBModulePan>(c);
    c.AddSeparator();
    Add<CBModuleFade1t2>(c);
    Add<CBModuleFade2t1>(c);
    Add<CBModuleLvlmult>(c);
    Add<CBModuleLvladd>(c);
    c.AddSeparator();
    Add<CBModuleOnoff>(c);
    c.AddSeparator();
    Add<CBModuleKnobmux>(c);
    Add<CBModuleKnobdemux>(c);
    c.AddSeparator();
    Add<CBModuleAmp>(c);

    c.StartTab("Audio");
    Add<CBModuleDista>(c);
    Add<CBModuleDistb>(c);
    Add<CBModuleWraper>(c);
    c.AddSeparator();
    Add<CBModuleQuant>(c);
    Add<CBModuleDelay>(c);
    Add<CBModuleSh>(c);
    Add<CBModuleDiod>(c);
    Add<CBModuleUnison>(c);
    Add<CBModuleAllpass>(c);
    c.AddSeparator();
    Add<CBModuleBalun>(c);
    c.AddSeparator();
    Add<CBModuleVeldyn>(c);
    c.AddSeparator();
    Add<CBModuleCompres>(c);
    Add<CBModuleExpand>(c);
    Add<CBModuleAm>(c);
    Add<CBModuleResamp>(c);

    c.StartTab("Ctrl");
    Add<CBModuleConst>(c);
    c.AddSeparator();
    Add<CBModuleSmooth>(c);
    Add<CBModuleSlide>(c);
    Add<CBModuleSlide2>(c);
    c.AddSeparator();
    Add<CBModuleScale3>(c);
    Add<CBModuleNoteq>(c);
    Add<CBModuleScaleqnt>(c);
    Add<CBModuleHarmqnt>(c);
    c.AddSeparator();
    Add<CBModuleCtrlmix>(c);
    Add<CBModuleAmpProc>(c);

    c.StartTab("Logic");
    Add<CBModuleGatedly>(c);
    Add<CBModuleGateneg>(c);
    Add<CBModulePulse>(c);
    Add<CBModuleTrigdly>(c);
    c.AddSeparator();
    Add<CBModuleGateinv>(c);
    c.AddSeparator();
    Add<CBModuleLogic>(c);
    c.AddSeparator();
    Add<CBModuleCompare>(c);
    Add<CBModuleCompare2>(c);
    c.AddSeparator();
    Add<CBModuleClkdiv>(c);
    Add<CBModuleClkdivf>(c);

    c.StartTab("Seq");
    Add<CBModuleEventb>(c);
    c.AddSeparator();
    Add<CBModuleSeqd>(c);
    c.AddSeparator();
    Add<CBModuleSeqb>(c);
    Add<CBModuleSeqc>(c);
    return catalogue;
}

const CModuleCatalogue& GetSharedModuleCatalogue()
{
    static const std::unique_ptr<CModuleCatalogue> shared = MakeModuleCatalogue();
    return *shared;
}

void InstallSharedModuleTypeInfo()
{
    SetModuleTypeInfo(&GetSharedModuleCatalogue());
}
