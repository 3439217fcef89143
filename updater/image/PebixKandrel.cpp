#include "updater/image/PebixKandrel.h"

namespace NSBootwren {

std::string CPebixKandrel::PrepareText() const
{
    return "* First pull out the power cord.\r\r* Then, while holding down the SHIFT button, connect the power cord "
           "again.\r\r* The display should now read \"Ud\".";
}

std::string CPebixKandrel::MidiText() const
{
    return "Select the MIDI ports you want to use, and make sure they are connected to the PC ports on your Pebix "
           "Kandrel. Normally these are the same ports as those you use for your Editor. \rIf there are any "
           "cables connected to the other MIDI port, disconnect them.";
}

std::string CPebixKandrel::StoreText() const
{
    return "The Pebix Kandrel display should now flash \"St\". To store the new OS in the memory of the Kandrel "
           "press one of the program select buttons to the right of the display. The SHIFT button will cancel the "
           "operation and your Kandrel will have the same OS as before.";
}

std::string CPebixKandrel::DoneText() const
{
    return "When the Pebix Kandrel display reads \"rd\" the new OS has been written to the memory of the Kandrel. "
           "Restart your Pebix Kandrel, by pulling out and reconnecting the power cord, to use the new OS. Have "
           "fun!.";
}

std::string CPebixKandrel::WarningText(uint32_t current, uint32_t next) const
{
    return MakeWarningText("Pebix Kandrel OS", current, next);
}

} // namespace NSBootwren
