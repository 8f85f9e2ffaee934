-- Wireshark dissector for the HARRIER module link: the frames modules send
-- (measurement, bypass block and tag-350 packets, bulk bypass maps) and the
-- station's 71-byte replies with their settings block. Reads the captures of
-- the station's --capture option (link type USER0) and live TCP on port 2323.
-- A wrong checksum is an expert-info error.

local proto = Proto("harrier", "HARRIER module link")

local KIND_SHORT, KIND_BULK, SHORT_IMPLIED = 0x8C04, 0x5419, 0x0033
local SHORT_LEN, BULK_LEN, REPLY_LEN = 51, 6156, 71
local PORT = 2323

local signal_types = {
    [0] = "CDMA450", [1] = "GSM 900", [2] = "GSM 1800", [3] = "DECT", [4] = "3G-2100",
    [5] = "3G-900", [6] = "3G SMS", [7] = "WLAN 2.4", [8] = "WLAN 5", [9] = "Bluetooth",
    [10] = "Traffic 2.4", [11] = "Traffic 5", [12] = "4G-2600", [13] = "Unknown",
    [14] = "Unknown", [15] = "Unknown", [16] = "Jammer GSM", [17] = "Jammer GPS", [18] = "SCAN",
}
local kinds = { [KIND_SHORT] = "Short frame", [KIND_BULK] = "Bulk bypass map",
                [SHORT_IMPLIED] = "Short frame, implied kind" }
local commands = { [0] = "None", [2] = "Erase manual bypass", [8] = "Send bypass map",
                   [9] = "Send next bypass block", [10] = "Send next bypass block" }

local function dbm(v) return v - 102 end

local f = {
    kind = ProtoField.uint16("harrier.kind", "Frame kind", base.HEX, kinds),
    length = ProtoField.uint16("harrier.length", "Body length"),
    tag = ProtoField.string("harrier.tag", "Tag"),
    checksum = ProtoField.uint8("harrier.checksum", "Checksum", base.HEX),
    spare = ProtoField.bytes("harrier.spare", "Not read"),
    rssi = ProtoField.int8("harrier.rssi", "Link level (nRSSI)"),
    format = ProtoField.uint8("harrier.format", "Format"),
    module = ProtoField.uint8("harrier.module", "Module"),
    linkseq = ProtoField.uint8("harrier.linkseq", "Link sequence (nLinkSeq)"),
    channel = ProtoField.uint8("harrier.channel", "Channel"),
    ch_unused = ProtoField.uint8("harrier.ch.unused", "Not read"),
    ch_type = ProtoField.uint8("harrier.ch.type", "Signal type", base.DEC, signal_types),
    ch_level = ProtoField.int16("harrier.ch.level", "Level (dBm)"),
    ch_threshold = ProtoField.int16("harrier.ch.threshold", "Threshold (dBm)"),
    ch_noise = ProtoField.int16("harrier.ch.noise", "Noise (dBm)"),
    ch_freq = ProtoField.int32("harrier.ch.freq", "Frequency (kHz)"),
    ch_state = ProtoField.uint8("harrier.ch.state", "State", base.HEX),
    ch_suppression = ProtoField.uint8("harrier.ch.suppression", "Suppression quality (%)"),
    ch_cntdis = ProtoField.uint8("harrier.ch.cntdis", "cntDis"),
    ch_cnttim = ProtoField.uint8("harrier.ch.cnttim", "cntTim"),
    ch_sequence = ProtoField.uint8("harrier.ch.sequence", "Command sequence", base.HEX),
    block = ProtoField.uint8("harrier.bypass.block", "Block number"),
    run = ProtoField.bytes("harrier.run", "Run"),
    run_start = ProtoField.uint16("harrier.run.start", "Start index (MHz)"),
    run_mark = ProtoField.uint16("harrier.run.mark", "Mark", base.HEX, nil, 0xF000),
    run_count = ProtoField.uint16("harrier.run.count", "Count", base.DEC, nil, 0x0FFF),
    map = ProtoField.bytes("harrier.bulk.map", "Bypass map (XOR 0x55)"),
    marked = ProtoField.uint16("harrier.bulk.marked", "Entries marked"),
    marker = ProtoField.uint8("harrier.reply.marker", "Reply marker", base.HEX),
    settings = ProtoField.bytes("harrier.settings", "Settings block"),
    answer = ProtoField.uint8("harrier.unknown_header_answer", "Answer to an unknown header", base.HEX),
}

-- Settings block bytes 0 .. 68 as they travel in reply bytes 1 .. 69.
local settings_names = {
    [0] = { "marker", "Block marker" },
    { "g900_threshold", "GSM 900 threshold", dbm }, { "g1800_threshold", "GSM 1800 threshold", dbm },
    { "jammer_gsm_threshold", "GSM-jammer threshold", dbm },
    { "jammer_gps_threshold", "GPS-jammer threshold", dbm },
    { "wlan24_threshold", "WLAN 2.4 threshold", dbm }, { "bluetooth_threshold", "Bluetooth threshold", dbm },
    { "traffic24_threshold", "Traffic 2.4 threshold (%)" }, { "wlan5_threshold", "WLAN 5 threshold", dbm },
    { "traffic5_threshold", "Traffic 5 threshold (%)" }, { "cdma450_threshold", "CDMA450 threshold", dbm },
    { "g3_threshold", "3G-2100 threshold", dbm }, { "g3add_threshold", "3G-900 threshold", dbm },
    { "g4_threshold", "4G-2600 threshold", dbm }, { "dect_threshold", "DECT threshold", dbm },
    { "scan_squelch", "Scanning receiver squelch" }, { "scan_begin", "Scan begin (x25 MHz)" },
    { "scan_end", "Scan end (x25 MHz)" }, { "scan_step", "Scan step (x5)" },
    { "g900_enable", "GSM 900 enable" }, { "g1800_enable", "GSM 1800 enable" },
    { "jammer_gsm_enable", "GSM-jammer enable" }, { "jammer_gps_enable", "GPS-jammer enable" },
    { "wlan24_enable", "WLAN 2.4 enable" }, { "bluetooth_enable", "Bluetooth enable" },
    { "traffic24_enable", "Traffic 2.4 enable" }, { "wlan5_enable", "WLAN 5 enable" },
    { "traffic5_enable", "Traffic 5 enable" }, { "cdma450_enable", "CDMA450 enable" },
    { "g3_enable", "3G-2100 enable" }, { "g3add_enable", "3G-900 enable" },
    { "g4_enable", "4G-2600 enable" }, { "dect_enable", "DECT enable" },
    { "scan_enable", "Scanning receiver enable" }, { "freq_matches", "Number of frequency matches" },
    { "bypass_scan_auto", "Bypass scan, automatic" }, { "bypass_scan_manual", "Bypass scan, manual" },
    { "bypass_begin_hi", "Bypass range begin, high byte" }, { "bypass_begin_lo", "Bypass range begin, low byte" },
    { "bypass_end_hi", "Bypass range end, high byte" }, { "bypass_end_lo", "Bypass range end, low byte" },
    { "bypass_kind", "Bypass kind" }, { "command", "Command" }, { "ident_off", "Identification off" },
    { "bypass_pattern1", "Bypass scan, pattern 1" }, { "bypass_pattern2", "Bypass scan, pattern 2" },
    { "fixed46", "Fixed value (46)" }, { "module_echo", "Module number echo" },
    { "linkseq_echo", "Link sequence echo" }, { "upload_index", "Bypass upload index" },
    { "upload_count", "Bypass upload count" }, { "pause_freq_hi", "Manual pause frequency, high byte" },
    { "pause_freq_lo", "Manual pause frequency, low byte" }, { "lpf", "LPF selection" },
    { "led_high", "LED mode, high bit" }, { "alarm_sound", "Alarm sound" },
    { "led_low", "LED mode, low bit" }, { "offline", "Offline mode" }, { "pause_flags", "Pause flags" },
    { "fixed59", "Fixed value (59)" }, { "fixed60", "Fixed value (60)" },
}
for i = 61, 68 do settings_names[i] = { "zero" .. i, "Zero (" .. i .. ")" } end

local sf = {}
for i = 0, 68 do
    local n = settings_names[i]
    if n[1] == "command" then
        sf[i] = ProtoField.uint8("harrier.s.command", "Command", base.DEC, commands)
    else
        sf[i] = ProtoField.uint8("harrier.s." .. n[1], n[2])
    end
    table.insert(f, sf[i])
end
local sf_bypass_begin = ProtoField.uint16("harrier.s.bypass_begin", "Bypass range begin (MHz)")
local sf_bypass_end = ProtoField.uint16("harrier.s.bypass_end", "Bypass range end (MHz)")
local sf_pause_freq = ProtoField.uint16("harrier.s.pause_freq", "Manual pause frequency (MHz)")
table.insert(f, sf_bypass_begin)
table.insert(f, sf_bypass_end)
table.insert(f, sf_pause_freq)

local fields = {}
for _, v in pairs(f) do table.insert(fields, v) end
proto.fields = fields

local ef_checksum = ProtoExpert.new("harrier.checksum.bad", "Wrong checksum",
                                    expert.group.CHECKSUM, expert.severity.ERROR)
local ef_length = ProtoExpert.new("harrier.length.bad", "Body length is not the kind's",
                                  expert.group.MALFORMED, expert.severity.WARN)
local ef_format = ProtoExpert.new("harrier.format.bad", "Format is not 4: the station rejects it",
                                  expert.group.PROTOCOL, expert.severity.WARN)
proto.experts = { ef_checksum, ef_length, ef_format }

local function sum(tvb, from, to)
    local s = 0
    for i = from, to do s = (s + tvb(i, 1):uint()) % 256 end
    return s
end

local function add_checksum(tree, tvb, at, from, to)
    local want = sum(tvb, from, to)
    local item = tree:add(f.checksum, tvb(at, 1))
    if tvb(at, 1):uint() ~= want then
        item:add_proto_expert_info(ef_checksum, string.format("Wrong checksum: 0x%02x, should be 0x%02x",
                                                              tvb(at, 1):uint(), want))
        return false
    end
    return true
end

local function add_dbm(tree, field, range)
    tree:add(field, range, range:uint() - 102):append_text(string.format(" (byte %d)", range:uint()))
end

local function dissect_measurement(body, tree, pinfo)
    tree:add(f.tag, body(0, 3))
    tree:add(f.rssi, body(3, 1))
    local fmt = tree:add(f.format, body(4, 1))
    if body(4, 1):uint() ~= 4 then fmt:add_proto_expert_info(ef_format) end
    tree:add(f.module, body(5, 1))
    tree:add(f.linkseq, body(6, 1))
    for n = 0, 2 do
        local at = 7 + 14 * n
        local ch = tree:add(f.channel, body(at, 14), n)
        ch:set_text(string.format("Channel %d: %s", n, signal_types[body(at + 1, 1):uint()] or "Unknown"))
        ch:add(f.ch_unused, body(at, 1))
        ch:add(f.ch_type, body(at + 1, 1))
        add_dbm(ch, f.ch_level, body(at + 2, 1))
        add_dbm(ch, f.ch_threshold, body(at + 3, 1))
        add_dbm(ch, f.ch_noise, body(at + 4, 1))
        ch:add(f.ch_freq, body(at + 5, 4))
        ch:add(f.ch_state, body(at + 9, 1))
        ch:add(f.ch_suppression, body(at + 10, 1))
        ch:add(f.ch_cntdis, body(at + 11, 1))
        ch:add(f.ch_cnttim, body(at + 12, 1))
        if n == 0 then ch:add(f.ch_sequence, body(at + 13, 1)) else ch:add(f.ch_unused, body(at + 13, 1)) end
    end
    pinfo.cols.info:set(string.format("Measurement, module %d", body(5, 1):uint()))
end

local function dissect_bypass_block(body, tree, pinfo)
    tree:add(f.tag, body(0, 4))
    tree:add(f.module, body(4, 1))
    tree:add(f.block, body(5, 1))
    tree:add(f.spare, body(6, 3))
    for r = 0, 9 do
        local at = 9 + 4 * r
        local run = tree:add(f.run, body(at, 4))
        run:set_text(string.format("Run %d: start %d, mark %d, count %d", r, body(at, 2):uint(),
                                   bit.rshift(body(at + 2, 2):uint(), 12), bit.band(body(at + 2, 2):uint(), 0x0FFF)))
        run:add(f.run_start, body(at, 2))
        run:add(f.run_mark, body(at + 2, 2))
        run:add(f.run_count, body(at + 2, 2))
    end
    pinfo.cols.info:set(string.format("Bypass block %d, module %d", body(5, 1):uint(), body(4, 1):uint()))
end

local function dissect_short(body, tree, pinfo)
    local tag = body(0, 4):string()
    if tag == "1508" then
        dissect_bypass_block(body, tree, pinfo)
    elseif tag:sub(1, 3) == "250" then
        dissect_measurement(body, tree, pinfo)
    elseif tag:sub(1, 3) == "350" then
        tree:add(f.tag, body(0, 3))
        tree:add(f.spare, body(3, 46))
        pinfo.cols.info:set("Tag-350 packet")
    else
        tree:add(f.spare, body(0, 49))
        pinfo.cols.info:set("Short frame of no known tag")
    end
    add_checksum(tree, body, 49, 0, 48)
    tree:add(f.spare, body(50, 1))
end

local function dissect_bulk(body, tree, pinfo)
    tree:add(f.module, body(0, 1))
    tree:add(f.spare, body(1, 9))
    local marked = 0
    local map = body(10, 6144):bytes()
    for i = 0, 6143 do
        if bit.bxor(map:get_index(i), 0x55) ~= 0 then marked = marked + 1 end
    end
    tree:add(f.map, body(10, 6144))
    tree:add(f.marked, marked):set_generated()
    add_checksum(tree, body, 6154, 0, 6153)
    tree:add(f.spare, body(6155, 1))
    pinfo.cols.info:set(string.format("Bulk bypass map, module %d, %d entries marked", body(0, 1):uint(), marked))
end

local function dissect_reply(tvb, tree, pinfo)
    tree:add(f.marker, tvb(0, 1))
    local st = tree:add(f.settings, tvb(1, 69))
    for i = 0, 68 do
        local n = settings_names[i]
        local range = tvb(1 + i, 1)
        local item = st:add(sf[i], range)
        if n[3] then item:append_text(string.format(" (%d dBm)", n[3](range:uint()))) end
    end
    st:add(sf_bypass_begin, tvb(38, 2)):set_generated()
    st:add(sf_bypass_end, tvb(40, 2)):set_generated()
    st:add(sf_pause_freq, tvb(52, 2)):set_generated()
    add_checksum(tree, tvb, 70, 1, 69)
    pinfo.cols.info:set(string.format("Reply, module %d, command %d", tvb(48, 1):uint(), tvb(43, 1):uint()))
end

-- One frame from a module (header and body); returns its length or nil if incomplete.
local function frame_length(tvb, offset)
    local left = tvb:len() - offset
    if left < 2 then return nil end
    local word = tvb(offset, 2):uint()
    if word == SHORT_IMPLIED then return 2 + SHORT_LEN end
    if word == KIND_SHORT or word == KIND_BULK then
        if left < 4 then return nil end
        return 4 + tvb(offset + 2, 2):uint()
    end
    return 2
end

local function dissect_frame(tvb, pinfo, tree)
    local word = tvb(0, 2):uint()
    local body_at = 4
    tree:add(f.kind, tvb(0, 2))
    if word == SHORT_IMPLIED then
        body_at = 2
    elseif word == KIND_SHORT or word == KIND_BULK then
        tree:add(f.length, tvb(2, 2))
    else
        pinfo.cols.info:set("Unknown header")
        return
    end
    local body = tvb(body_at):tvb()
    local want = (word == KIND_BULK) and BULK_LEN or SHORT_LEN
    if body:len() ~= want then
        tree:add_proto_expert_info(ef_length)
        return
    end
    if word == KIND_BULK then dissect_bulk(body, tree, pinfo) else dissect_short(body, tree, pinfo) end
end

local function from_module(tvb, pinfo)
    -- pcapng packet flags: inbound is the station receiving (1), outbound sending (0).
    if pinfo.p2p_dir == 1 then return true end
    if pinfo.p2p_dir == 0 then return false end
    if pinfo.dst_port == PORT then return true end
    if pinfo.src_port == PORT then return false end
    return not (tvb:len() == REPLY_LEN and tvb(0, 1):uint() == 0x4F)
end

function proto.dissector(tvb, pinfo, tree)
    pinfo.cols.protocol:set("HARRIER")
    local t = tree:add(proto, tvb())
    if from_module(tvb, pinfo) then
        t:append_text(", module to station")
        dissect_frame(tvb, pinfo, t)
    elseif tvb:len() == 1 then
        t:add(f.answer, tvb(0, 1))
        pinfo.cols.info:set("Answer to an unknown header")
    else
        t:append_text(", station to module")
        dissect_reply(tvb, t, pinfo)
    end
    return tvb:len()
end

-- Live TCP: cut the stream into frames and replies.
local tcp_proto = Proto("harrier.tcp", "HARRIER module link over TCP")
function tcp_proto.dissector(tvb, pinfo, tree)
    local offset = 0
    local to_station = pinfo.dst_port == PORT
    while offset < tvb:len() do
        local len
        if to_station then len = frame_length(tvb, offset) else len = REPLY_LEN end
        if len == nil or offset + len > tvb:len() then
            pinfo.desegment_offset = offset
            pinfo.desegment_len = len and (offset + len - tvb:len()) or DESEGMENT_ONE_MORE_SEGMENT
            return tvb:len()
        end
        proto.dissector(tvb(offset, len):tvb(), pinfo, tree)
        offset = offset + len
    end
    return offset
end

local encap = (wtap_encaps and wtap_encaps.USER0) or wtap.USER0
DissectorTable.get("wtap_encap"):add(encap, proto)
DissectorTable.get("tcp.port"):add(PORT, tcp_proto)
