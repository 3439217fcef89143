#include "framework/images/detail/JPEGGlue.h"

#include "framework/base/Exceptions.h"
#include "framework/files/Media.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace NSHarrowen {

namespace {

constexpr size_t kBlockSize = 4096;

// ---- source manager -------------------------------------------------------

struct CJPEGMediaSource {
    jpeg_source_mgr pub;
    CMedia* media;
    JOCTET* buffer;
    boolean startOfFile;
};

CJPEGMediaSource* SourceOf(j_decompress_ptr cinfo)
{
    return reinterpret_cast<CJPEGMediaSource*>(cinfo->src);
}

// Reads what is left up to count bytes; answers the number read.
size_t ReadMediaBlock(CMedia& media, size_t count, JOCTET* buffer)
{
    const uint32_t left = media.GetSize() - std::min(media.GetPosition(), media.GetSize());
    const uint32_t n = static_cast<uint32_t>(std::min<size_t>(count, left));
    if (n > 0)
        media.Read(n, buffer);
    return n;
}

void InitMediaSource(j_decompress_ptr cinfo)
{
    SourceOf(cinfo)->startOfFile = TRUE;
}

boolean FillMediaInputBuffer(j_decompress_ptr cinfo)
{
    CJPEGMediaSource* source = SourceOf(cinfo);
    size_t n = 0;
    bool failed = false;
    try {
        n = ReadMediaBlock(*source->media, kBlockSize, source->buffer);
    } catch (...) {
        failed = true; // C++ exceptions must not cross libjpeg's frames
    }
    if (failed)
        ERREXIT(cinfo, JERR_FILE_READ);
    if (n == 0) {
        if (source->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        // An end-of-image marker: decoding ends here with what it has.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        n = 2;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = n;
    source->startOfFile = FALSE;
    return TRUE;
}

void SkipMediaInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    size_t remaining = static_cast<size_t>(count);
    while (remaining > src->bytes_in_buffer) {
        remaining -= src->bytes_in_buffer;
        FillMediaInputBuffer(cinfo);
    }
    src->next_input_byte += remaining;
    src->bytes_in_buffer -= remaining;
}

void TermMediaSource(j_decompress_ptr) { }

// ---- error manager --------------------------------------------------------

void JPEGOutputMessage(j_common_ptr cinfo)
{
    char buffer[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, buffer); // formatted and dropped: the exception is the report
}

void JPEGErrorExit(j_common_ptr cinfo)
{
    (*cinfo->err->output_message)(cinfo);
    auto* manager = reinterpret_cast<CJPEGErrorManager*>(cinfo->err);
    manager->code = cinfo->err->msg_code;
    std::longjmp(manager->jump, 1);
}

void JPEGEmitMessage(j_common_ptr cinfo, int level)
{
    jpeg_error_mgr* err = cinfo->err;
    if (level < 0) {
        if (err->num_warnings == 0 || err->trace_level >= 3)
            (*err->output_message)(cinfo);
        ++err->num_warnings;
    } else if (err->trace_level >= level) {
        (*err->output_message)(cinfo);
    }
}

void JPEGFormatMessage(j_common_ptr cinfo, char* buffer)
{
    const jpeg_error_mgr* err = cinfo->err;
    const int code = err->msg_code;
    const char* text = nullptr;
    if (code > 0 && code <= err->last_jpeg_message)
        text = err->jpeg_message_table[code];
    else if (err->addon_message_table != nullptr && code >= err->first_addon_message && code <= err->last_addon_message)
        text = err->addon_message_table[code - err->first_addon_message];
    if (text == nullptr)
        text = err->jpeg_message_table[0];
    const int* i = err->msg_parm.i;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    if (std::strstr(text, "%s") != nullptr)
        std::snprintf(buffer, JMSG_LENGTH_MAX, text, err->msg_parm.s);
    else
        std::snprintf(buffer, JMSG_LENGTH_MAX, text, i[0], i[1], i[2], i[3], i[4], i[5], i[6], i[7]);
#pragma GCC diagnostic pop
}

void JPEGResetErrorManager(j_common_ptr cinfo)
{
    cinfo->err->num_warnings = 0;
    cinfo->err->msg_code = 0;
}

bool IsOneOf(int code, std::initializer_list<int> codes)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

} // namespace

void InitJPEGErrorManager(CJPEGErrorManager& manager, const CJPEGLibrary& library)
{
    library.stdError(&manager.pub); // the library's standard message table, no add-on table
    manager.pub.error_exit = JPEGErrorExit;
    manager.pub.emit_message = JPEGEmitMessage;
    manager.pub.output_message = JPEGOutputMessage;
    manager.pub.format_message = JPEGFormatMessage;
    manager.pub.reset_error_mgr = JPEGResetErrorManager;
    manager.pub.trace_level = 0;
    manager.pub.num_warnings = 0;
    manager.code = 0;
}

void SetJPEGMediaSource(j_decompress_ptr cinfo, CMedia* media, const CJPEGLibrary& library)
{
    if (cinfo->src == nullptr) {
        auto* source = static_cast<CJPEGMediaSource*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(CJPEGMediaSource)));
        source->buffer = static_cast<JOCTET*>(
            (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kBlockSize));
        cinfo->src = &source->pub;
    }
    CJPEGMediaSource* source = SourceOf(cinfo);
    source->pub.init_source = InitMediaSource;
    source->pub.fill_input_buffer = FillMediaInputBuffer;
    source->pub.skip_input_data = SkipMediaInputData;
    source->pub.resync_to_restart = library.resyncToRestart;
    source->pub.term_source = TermMediaSource;
    source->media = media;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = nullptr;
}

// The library's fatal errors sorted by what went wrong.
void ThrowJPEGError(int code)
{
    if (IsOneOf(code, {JERR_BAD_DCTSIZE,       JERR_BAD_HUFF_TABLE,  JERR_BAD_IN_COLORSPACE, JERR_BAD_PROGRESSION,
                       JERR_BAD_PROG_SCRIPT,   JERR_BAD_SCAN_SCRIPT, JERR_COMPONENT_COUNT,   JERR_CONVERSION_NOTIMPL,
                       JERR_DAC_INDEX,         JERR_DAC_VALUE,       JERR_DHT_INDEX,         JERR_EMPTY_IMAGE,
                       JERR_EMS_READ,          JERR_EOI_EXPECTED,    JERR_FILE_READ,         JERR_INPUT_EMPTY,
                       JERR_INPUT_EOF,         JERR_NO_SOI,          JERR_QUANT_COMPONENTS,  JERR_QUANT_FEW_COLORS,
                       JERR_QUANT_MANY_COLORS, JERR_SOF_DUPLICATE,   JERR_SOF_NO_SOS,        JERR_SOI_DUPLICATE,
                       JERR_SOS_NO_SOF,        JERR_TFILE_CREATE,    JERR_TFILE_READ,        JERR_TFILE_SEEK,
                       JERR_TFILE_WRITE,       JERR_TOO_LITTLE_DATA, JERR_XMS_READ,          JERR_XMS_WRITE}))
        throw XJPegBadFormat();
    if (IsOneOf(code,
                {JERR_BAD_DCT_COEF, JERR_BAD_J_COLORSPACE, JERR_BAD_MCU_SIZE, JERR_BAD_POOL_ID, JERR_BAD_PRECISION,
                 JERR_BAD_VIRTUAL_ACCESS, JERR_BUFFER_SIZE, JERR_CANT_SUSPEND, JERR_CCIR601_NOTIMPL, JERR_DQT_INDEX,
                 JERR_FILE_WRITE, JERR_NOTIMPL, JERR_NOT_COMPILED, JERR_SOF_UNSUPPORTED, JERR_UNKNOWN_MARKER,
                 JERR_WIDTH_OVERFLOW}))
        throw XJPegUnsupportedFormat();
    if (code == JERR_OUT_OF_MEMORY)
        throw XJPegOutOfMemory();
    if (IsOneOf(code, {JERR_ARITH_NOTIMPL,      JERR_BAD_ALIGN_TYPE,    JERR_BAD_ALLOC_CHUNK,
                       JERR_BAD_BUFFER_MODE,    JERR_BAD_COMPONENT_ID,  JERR_BAD_LENGTH,
                       JERR_BAD_LIB_VERSION,    JERR_BAD_SAMPLING,      JERR_BAD_STATE,
                       JERR_BAD_STRUCT_SIZE,    JERR_EMS_WRITE,         JERR_FRACT_SAMPLE_NOTIMPL,
                       JERR_HUFF_CLEN_OVERFLOW, JERR_HUFF_MISSING_CODE, JERR_MISMATCHED_QUANT_TABLE,
                       JERR_MISSING_DATA,       JERR_MODE_CHANGE,       JERR_NO_BACKING_STORE,
                       JERR_NO_HUFF_TABLE,      JERR_NO_IMAGE,          JERR_NO_QUANT_TABLE,
                       JERR_VIRTUAL_BUG}))
        throw XJPegInternalError();
    throw XBase();
}

} // namespace NSHarrowen
