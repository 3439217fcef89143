#include "updater/image/KandrelModel.h"

namespace NSBootwren {

std::string CKandrel::PrepareText() const
{
    return "* First turn the power off.\r\r* Then, while holding down the SHIFT and STORE button, turn the power "
           "back on again.\r\r* The display should now read \"Update utility\" and state the current OS version.";
}

std::string CKandrel::MidiText() const
{
    return "Select the MIDI ports you want to use, and make sure they are connected to the PC ports on your "
           "Kandrel. Normally these are the same ports as those you use for your Editor. \rIf there are any "
           "cables connected to the other MIDI port, disconnect them.";
}

std::string CKandrel::StoreText() const
{
    return "The Vesk Kandrel display should now read \"Update flash? Store = yes\". To write the new OS to the "
           "memory of the Kandrel press the STORE button. All other buttons will cancel the operation and your "
           "Kandrel will have the same OS as before. ";
}

std::string CKandrel::DoneText() const
{
    return "When the Kandrel display reads \"Update completed\" the new OS has been written to the memory of the "
           "Kandrel. Restart your Kandrel to use the new OS. Have fun!.";
}

std::string CKandrel::WarningText(uint32_t current, uint32_t next) const
{
    return MakeWarningText("Kandrel OS", current, next);
}

} // namespace NSBootwren
