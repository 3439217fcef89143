#pragma once

#include "framework/base/Exceptions.h"
#include "synth/files/XFileBase.h"

#include <new>

// Runs one step of reading a patch file: file errors and running out of
// memory pass on as they are, any other failure becomes the step's own
// file error.
template <class FStep> void GuardedFileStep(const XFileBase& failure, FStep step)
{
    try {
        step();
    } catch (const XFileBase&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const std::exception&) {
        throw failure;
    }
}
