#include "synth/files/XFileBase.h"

XFileBase XFileBase::Corrupt()
{
    return XFileBase("File Corrupt", kCorrupt);
}

XFileBase XFileBase::ConversionProblem()
{
    return XFileBase("Problem with converting from 2.1 to 3", kConversion);
}
