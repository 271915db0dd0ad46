// The core, compiled to WebAssembly: bytes in, a command run, bytes out. The page and the Node
// check both go through this, so that the check tests what the page runs.
function TarvikCore(moduleBytes) {
    const core = new WebAssembly.Instance(new WebAssembly.Module(moduleBytes), {}).exports;
    core._initialize(); // a module without main starts its C library here
    // Memory may grow in any call, which detaches every earlier view of it: a view is taken only
    // after the call.
    const put = (bytes) => {
        const at = core.input(bytes.length);
        new Uint8Array(core.memory.buffer, at, bytes.length).set(bytes);
    };
    const result = (outcome) =>
        outcome === 0
            ? null
            : new Uint8Array(core.memory.buffer, core.output(), core.output_length()).slice();
    // As tarvik-link names them, in the order of the core's LinkCommand.
    const commands = ['thunder', 'flashget', 'xuanfeng', 'rayfile', 'base64-encode',
        'base64-decode', 'decode'];
    return {
        commands,
        // The output box's new bytes, or null when it keeps its text.
        run(command, bytes) {
            const number = commands.indexOf(command);
            if (number < 0) throw new Error(`no command ${command}`);
            put(bytes);
            return result(core.run(number));
        },
        extract(bytes) {
            put(bytes);
            return result(core.extract());
        },
        readLink(bytes) {
            put(bytes);
            return result(core.read_link());
        },
        isUtf8(bytes) {
            put(bytes);
            return core.is_utf8(bytes.length) === 1;
        },
        // [start, length] of the bytes without the spaces at their two ends.
        trimmed(bytes) {
            put(bytes);
            return [core.trimmed_start(), core.trimmed_length()];
        },
    };
}
if (typeof module === 'object') module.exports = TarvikCore;
