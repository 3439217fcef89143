// The JACK functions the MIDI devices call (ours and RtMidi's), each handed
// on to libjack, which is opened the first time one of them is called
// rather than when the program starts: a program that shows its first
// window before it looks for MIDI devices does not wait for libjack and the
// libraries it needs. Without libjack on the machine no JACK server is
// found: the client does not open, and the rest answer nothing.
#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>
#include <jack/statistics.h>

#include <dlfcn.h>

#include <cstdarg>
#include <utility>

namespace {

struct JackCalls {
    decltype(&::jack_activate) activate = nullptr;
    decltype(&::jack_client_close) clientClose = nullptr;
    decltype(&::jack_client_open) clientOpen = nullptr;
    decltype(&::jack_connect) connect = nullptr;
    decltype(&::jack_deactivate) deactivate = nullptr;
    decltype(&::jack_free) free = nullptr;
    decltype(&::jack_get_ports) getPorts = nullptr;
    decltype(&::jack_get_time) getTime = nullptr;
    decltype(&::jack_get_xrun_delayed_usecs) getXrunDelayedUsecs = nullptr;
    decltype(&::jack_midi_clear_buffer) midiClearBuffer = nullptr;
    decltype(&::jack_midi_event_get) midiEventGet = nullptr;
    decltype(&::jack_midi_event_reserve) midiEventReserve = nullptr;
    decltype(&::jack_midi_get_event_count) midiGetEventCount = nullptr;
    decltype(&::jack_midi_max_event_size) midiMaxEventSize = nullptr;
    decltype(&::jack_on_shutdown) onShutdown = nullptr;
    decltype(&::jack_port_connected) portConnected = nullptr;
    decltype(&::jack_port_get_buffer) portGetBuffer = nullptr;
    decltype(&::jack_port_name) portName = nullptr;
    decltype(&::jack_port_name_size) portNameSize = nullptr;
    decltype(&::jack_port_register) portRegister = nullptr;
    decltype(&::jack_port_rename) portRename = nullptr;
    decltype(&::jack_port_unregister) portUnregister = nullptr;
    decltype(&::jack_ringbuffer_create) ringbufferCreate = nullptr;
    decltype(&::jack_ringbuffer_free) ringbufferFree = nullptr;
    decltype(&::jack_ringbuffer_peek) ringbufferPeek = nullptr;
    decltype(&::jack_ringbuffer_read) ringbufferRead = nullptr;
    decltype(&::jack_ringbuffer_read_advance) ringbufferReadAdvance = nullptr;
    decltype(&::jack_ringbuffer_read_space) ringbufferReadSpace = nullptr;
    decltype(&::jack_ringbuffer_write) ringbufferWrite = nullptr;
    decltype(&::jack_ringbuffer_write_space) ringbufferWriteSpace = nullptr;
    decltype(&::jack_set_error_function) setErrorFunction = nullptr;
    decltype(&::jack_set_info_function) setInfoFunction = nullptr;
    decltype(&::jack_set_process_callback) setProcessCallback = nullptr;
    decltype(&::jack_set_xrun_callback) setXrunCallback = nullptr;
};

template <typename F>
void Bind(void* library, F& call, const char* name)
{
    call = reinterpret_cast<F>(dlsym(library, name));
}

JackCalls Load()
{
    JackCalls c;
    // Kept open for the program's life: its callbacks run on its threads.
    void* const library = dlopen("libjack.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return c;
    Bind(library, c.activate, "jack_activate");
    Bind(library, c.clientClose, "jack_client_close");
    Bind(library, c.clientOpen, "jack_client_open");
    Bind(library, c.connect, "jack_connect");
    Bind(library, c.deactivate, "jack_deactivate");
    Bind(library, c.free, "jack_free");
    Bind(library, c.getPorts, "jack_get_ports");
    Bind(library, c.getTime, "jack_get_time");
    Bind(library, c.getXrunDelayedUsecs, "jack_get_xrun_delayed_usecs");
    Bind(library, c.midiClearBuffer, "jack_midi_clear_buffer");
    Bind(library, c.midiEventGet, "jack_midi_event_get");
    Bind(library, c.midiEventReserve, "jack_midi_event_reserve");
    Bind(library, c.midiGetEventCount, "jack_midi_get_event_count");
    Bind(library, c.midiMaxEventSize, "jack_midi_max_event_size");
    Bind(library, c.onShutdown, "jack_on_shutdown");
    Bind(library, c.portConnected, "jack_port_connected");
    Bind(library, c.portGetBuffer, "jack_port_get_buffer");
    Bind(library, c.portName, "jack_port_name");
    Bind(library, c.portNameSize, "jack_port_name_size");
    Bind(library, c.portRegister, "jack_port_register");
    Bind(library, c.portRename, "jack_port_rename");
    Bind(library, c.portUnregister, "jack_port_unregister");
    Bind(library, c.ringbufferCreate, "jack_ringbuffer_create");
    Bind(library, c.ringbufferFree, "jack_ringbuffer_free");
    Bind(library, c.ringbufferPeek, "jack_ringbuffer_peek");
    Bind(library, c.ringbufferRead, "jack_ringbuffer_read");
    Bind(library, c.ringbufferReadAdvance, "jack_ringbuffer_read_advance");
    Bind(library, c.ringbufferReadSpace, "jack_ringbuffer_read_space");
    Bind(library, c.ringbufferWrite, "jack_ringbuffer_write");
    Bind(library, c.ringbufferWriteSpace, "jack_ringbuffer_write_space");
    Bind(library, c.setErrorFunction, "jack_set_error_function");
    Bind(library, c.setInfoFunction, "jack_set_info_function");
    Bind(library, c.setProcessCallback, "jack_set_process_callback");
    Bind(library, c.setXrunCallback, "jack_set_xrun_callback");
    return c;
}

// Loaded by the first call, on whichever thread makes it; a client's
// process callback comes after its client opened, so the server's thread
// never loads.
const JackCalls& Jack()
{
    static const JackCalls calls = Load();
    return calls;
}

// The call's answer, or `absent` when libjack lacks the function.
template <typename R, typename... P, typename... A>
R Call(R (*call)(P...), R absent, A&&... arguments)
{
    return call ? call(std::forward<A>(arguments)...) : absent;
}

template <typename... P, typename... A>
void Call(void (*call)(P...), A&&... arguments)
{
    if (call)
        call(std::forward<A>(arguments)...);
}

} // namespace

extern "C" {

// Of the options that take an argument only the server's name is passed on:
// no caller loads an internal client.
jack_client_t* jack_client_open(const char* name, jack_options_t options, jack_status_t* status, ...)
{
    const char* server = nullptr;
    if ((options & JackServerName) != 0) {
        va_list arguments;
        va_start(arguments, status);
        server = va_arg(arguments, const char*);
        va_end(arguments);
    }
    const auto open = Jack().clientOpen;
    if (!open) {
        if (status)
            *status = static_cast<jack_status_t>(JackFailure | JackServerFailed);
        return nullptr;
    }
    return server ? open(name, options, status, server) : open(name, options, status);
}

int jack_activate(jack_client_t* client) { return Call(Jack().activate, -1, client); }
int jack_client_close(jack_client_t* client) { return Call(Jack().clientClose, -1, client); }
int jack_connect(jack_client_t* client, const char* source, const char* destination)
{
    return Call(Jack().connect, -1, client, source, destination);
}
int jack_deactivate(jack_client_t* client) { return Call(Jack().deactivate, -1, client); }
void jack_free(void* memory) { Call(Jack().free, memory); }
const char** jack_get_ports(jack_client_t* client, const char* names, const char* types, unsigned long flags)
{
    return Call(Jack().getPorts, static_cast<const char**>(nullptr), client, names, types, flags);
}
jack_time_t jack_get_time() { return Call(Jack().getTime, jack_time_t{0}); }
float jack_get_xrun_delayed_usecs(jack_client_t* client) { return Call(Jack().getXrunDelayedUsecs, 0.0F, client); }
void jack_midi_clear_buffer(void* buffer) { Call(Jack().midiClearBuffer, buffer); }
int jack_midi_event_get(jack_midi_event_t* event, void* buffer, uint32_t index)
{
    return Call(Jack().midiEventGet, -1, event, buffer, index);
}
jack_midi_data_t* jack_midi_event_reserve(void* buffer, jack_nframes_t time, size_t size)
{
    return Call(Jack().midiEventReserve, static_cast<jack_midi_data_t*>(nullptr), buffer, time, size);
}
uint32_t jack_midi_get_event_count(void* buffer) { return Call(Jack().midiGetEventCount, uint32_t{0}, buffer); }
size_t jack_midi_max_event_size(void* buffer) { return Call(Jack().midiMaxEventSize, size_t{0}, buffer); }
void jack_on_shutdown(jack_client_t* client, JackShutdownCallback callback, void* argument)
{
    Call(Jack().onShutdown, client, callback, argument);
}
int jack_port_connected(const jack_port_t* port) { return Call(Jack().portConnected, 0, port); }
void* jack_port_get_buffer(jack_port_t* port, jack_nframes_t frames)
{
    return Call(Jack().portGetBuffer, static_cast<void*>(nullptr), port, frames);
}
const char* jack_port_name(const jack_port_t* port)
{
    return Call(Jack().portName, static_cast<const char*>(nullptr), port);
}
int jack_port_name_size() { return Call(Jack().portNameSize, 0); }
jack_port_t* jack_port_register(jack_client_t* client, const char* name, const char* type, unsigned long flags,
                                unsigned long bufferSize)
{
    return Call(Jack().portRegister, static_cast<jack_port_t*>(nullptr), client, name, type, flags, bufferSize);
}
int jack_port_rename(jack_client_t* client, jack_port_t* port, const char* name)
{
    return Call(Jack().portRename, -1, client, port, name);
}
int jack_port_unregister(jack_client_t* client, jack_port_t* port)
{
    return Call(Jack().portUnregister, -1, client, port);
}
jack_ringbuffer_t* jack_ringbuffer_create(size_t size)
{
    return Call(Jack().ringbufferCreate, static_cast<jack_ringbuffer_t*>(nullptr), size);
}
void jack_ringbuffer_free(jack_ringbuffer_t* ring) { Call(Jack().ringbufferFree, ring); }
size_t jack_ringbuffer_peek(jack_ringbuffer_t* ring, char* to, size_t count)
{
    return Call(Jack().ringbufferPeek, size_t{0}, ring, to, count);
}
size_t jack_ringbuffer_read(jack_ringbuffer_t* ring, char* to, size_t count)
{
    return Call(Jack().ringbufferRead, size_t{0}, ring, to, count);
}
void jack_ringbuffer_read_advance(jack_ringbuffer_t* ring, size_t count)
{
    Call(Jack().ringbufferReadAdvance, ring, count);
}
size_t jack_ringbuffer_read_space(const jack_ringbuffer_t* ring)
{
    return Call(Jack().ringbufferReadSpace, size_t{0}, ring);
}
size_t jack_ringbuffer_write(jack_ringbuffer_t* ring, const char* from, size_t count)
{
    return Call(Jack().ringbufferWrite, size_t{0}, ring, from, count);
}
size_t jack_ringbuffer_write_space(const jack_ringbuffer_t* ring)
{
    return Call(Jack().ringbufferWriteSpace, size_t{0}, ring);
}
void jack_set_error_function(void (*report)(const char*)) { Call(Jack().setErrorFunction, report); }
void jack_set_info_function(void (*report)(const char*)) { Call(Jack().setInfoFunction, report); }
int jack_set_process_callback(jack_client_t* client, JackProcessCallback callback, void* argument)
{
    return Call(Jack().setProcessCallback, -1, client, callback, argument);
}
int jack_set_xrun_callback(jack_client_t* client, JackXRunCallback callback, void* argument)
{
    return Call(Jack().setXrunCallback, -1, client, callback, argument);
}

} // extern "C"
