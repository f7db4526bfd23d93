-- Run by ardour7-lua (see check-twins.sh), twice. ZV_PHASE=create loads the VST2 and the VST3
-- twin on one track each of a Dummy-backend session, compares their parameters fresh and under
-- every factory program, saves the session and writes the values it expects back. ZV_PHASE=reopen,
-- in a new process, opens that session and compares. Prints one PASS/FAIL line per step.

local SESSION_DIR = os.getenv("ZV_SESSION_DIR")
local PHASE = os.getenv("ZV_PHASE")
local SESSION_NAME = "zv-twins"
local EXPECTED_FILE = SESSION_DIR .. "/expected-values.lua"
local SAMPLE_RATE = 48000
local TOLERANCE = 1e-4         -- on normalised values: the formats carry float vs double
local SETTLE_US = 150000       -- lets a few process cycles run after a change
local SILENT_DB = -120
local CAPTURE_PORTS = { "system:capture_1", "system:capture_2" }
local PEAK_TOLERANCE_DB = 0.5  -- what a moving level may differ by between the turns
local PEAK_READS = 10
local PEAK_READ_US = 30000
local PROGRAM_COUNT = 128
local SAVED_PROGRAM = 37       -- any program with non-default values, left loaded for the save
local HAND_PARAM = "Distortion Amount"
local HAND_VALUE = 0.3125

local failures = 0
local function report(ok, step, detail)
  if not ok then failures = failures + 1 end
  print(string.format("%s  %s%s", ok and "PASS" or "FAIL", step, detail and ("  (" .. detail .. ")") or ""))
  io.stdout:flush()
end

local FORMATS = {
  { key = "vst2", type = ARDOUR.PluginType.LXVST,
    uri = function(uid, i) return string.format("VST:%s:%04d", uid, i) end },
  { key = "vst3", type = ARDOUR.PluginType.VST3,
    uri = function(uid, i) return string.format("VST3-P:%s:%04d", uid, i) end },
}

local function find_info(ptype)
  for p in ARDOUR.LuaAPI.list_plugins():iter() do
    if p.type == ptype and string.find(p.name, "Zarvotone", 1, true) then return p end
  end
  return nil
end

-- Value in 0..1 whatever the format shows (VST3 values are plain values in Ardour).
local function normalised(plugin, index, value)
  local _, pd = plugin:get_parameter_descriptor(index, ARDOUR.ParameterDescriptor())
  local d = pd[2]
  if d.upper == d.lower then return value end
  if d.logarithmic and d.lower > 0 then return math.log(value / d.lower) / math.log(d.upper / d.lower) end
  return (value - d.lower) / (d.upper - d.lower)
end

-- name -> { raw, norm } for every input parameter.
local function read_values(f)
  local values = {}
  for i = 0, f.plugin:parameter_count() - 1 do
    if f.plugin:parameter_is_input(i) then
      local raw = ARDOUR.LuaAPI.get_processor_param(f.proc, i, true)
      values[f.plugin:parameter_label(i)] = { raw = raw, norm = normalised(f.plugin, i, raw), index = i }
    end
  end
  return values
end

-- Differences between the two formats' values, compared by name; returns count, first few texts.
local function compare(a, b)
  local bad, texts = 0, {}
  for name, va in pairs(a) do
    local vb = b[name]
    if vb and (va.norm ~= va.norm or vb.norm ~= vb.norm or math.abs(va.norm - vb.norm) > TOLERANCE) then
      bad = bad + 1
      if #texts < 4 then texts[#texts + 1] = string.format("%s %.6f vs %.6f", name, va.norm, vb.norm) end
    end
  end
  return bad, table.concat(texts, "; ")
end

local function detail(count, what, texts)
  if count == 0 then return nil end
  return count .. " " .. what .. ": " .. texts
end

local function names_only_in(a, b)
  local list = {}
  for name in pairs(a) do if not b[name] then list[#list + 1] = name end end
  table.sort(list)
  return list
end

local function settle() ARDOUR.LuaAPI.usleep(SETTLE_US) end

-- The louder channel's meter now; NaN as soon as one channel is NaN.
local function peak_db(f)
  local m = f.track:peak_meter()
  local loudest = -math.huge
  for c = 0, 1 do
    local db = m:meter_level(c, ARDOUR.MeterType.MeterPeak)
    if db ~= db then return db end
    loudest = math.max(loudest, db)
  end
  return loudest
end

-- The meter shows the last cycles only, and compressors and glides keep the level moving: the
-- loudest of a few readings over a window, taken in turns for both tracks.
local function window_peaks(list)
  local peaks = {}
  for _ = 1, PEAK_READS do
    for _, f in ipairs(list) do
      local db, held = peak_db(f), peaks[f.key]
      -- a NaN, once read, stays
      if held == nil or db ~= db or (held == held and db > held) then peaks[f.key] = db end
    end
    ARDOUR.LuaAPI.usleep(PEAK_READ_US)
  end
  return peaks
end

local function audible(db) return db == db and db > SILENT_DB and db < math.huge end

local function write_expected(before)
  local out = io.open(EXPECTED_FILE, "w")
  out:write("return {\n")
  for key, values in pairs(before) do
    out:write(string.format("  %s = {\n", key))
    for name, v in pairs(values) do out:write(string.format("    [%q] = { norm = %.17g },\n", name, v.norm)) end
    out:write("  },\n")
  end
  out:write("}\n")
  out:close()
end

local function finish()
  print(failures == 0 and ("ALL PASS (" .. PHASE .. ")") or (failures .. " step(s) FAILED (" .. PHASE .. ")"))
  -- Closing a session can hang or crash in ardour7-lua once it has been saved; the process ends
  -- without it.
  os.exit(failures == 0 and 0 or 1)
end

local function attach(session, f)
  f.plugin = f.proc:to_insert():plugin(0)
  for t in session:get_tracks():iter() do
    if t:name() == f.key then f.track = t end
  end
end

---------------------------------------------------------------------------------------------------
local function create()
-- The Dummy backend's inputs play a sine, so each track's output shows whether audio gets through.
local backend = AudioEngine:set_backend("None (Dummy)", "", "")
backend:set_device_name("Sine Wave")
local s = create_session(SESSION_DIR, SESSION_NAME, SAMPLE_RATE)
report(s ~= nil, "create Dummy-backend session", SESSION_DIR)
if not s then os.exit(1) end

for _, f in ipairs(FORMATS) do
  f.info = find_info(f.type)
  report(f.info ~= nil, f.key .. ": plug-in found in the scan", f.info and f.info.unique_id)
  if not f.info then os.exit(1) end
  f.proc = ARDOUR.LuaAPI.new_plugin(s, f.info.unique_id, f.type, "")
  local tracks = s:new_audio_track(2, 2, nil, 1, f.key, ARDOUR.PresentationInfo.max_order,
                                   ARDOUR.TrackMode.Normal, true)
  local added = not f.proc:isnil() and tracks:size() == 1 and
                tracks:front():add_processor_by_index(f.proc, 0, nil, true) == 0
  report(added, f.key .. ": loaded on a track")
  if not added then os.exit(1) end
  attach(s, f)
  f.track:monitoring_control():set_value(ARDOUR.MonitorChoice.MonitorInput, PBD.GroupControlDisposition.NoGroup)
  -- Each new track takes the next inputs, whose generators differ: both tracks get the same two.
  for c = 0, 1 do
    local port = f.track:input():audio(c)
    port:disconnect_all()
    port:connect(CAPTURE_PORTS[c + 1])
  end
end
local v2, v3 = FORMATS[1], FORMATS[2]

s:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
for _ = 1, 20 do
  if s:transport_rolling() then break end
  settle()
end
report(s:transport_rolling(), "transport rolls")
settle()

for _, f in ipairs(FORMATS) do
  local db = peak_db(f)
  report(audible(db), f.key .. ": fresh instance passes audio", string.format("peak %.1f dBFS", db))
end

-- Fresh values
local a, b = read_values(v2), read_values(v3)
local count2, count3 = 0, 0
for _ in pairs(a) do count2 = count2 + 1 end
for _ in pairs(b) do count3 = count3 + 1 end
local only2, only3 = names_only_in(a, b), names_only_in(b, a)
report(#only2 == 0, "every VST2 parameter name exists in VST3",
       string.format("%d vs %d; only VST2: [%s]; only VST3: [%s]", count2, count3,
                     table.concat(only2, ", "), table.concat(only3, ", ")))
for name, vb in pairs(b) do
  local va = a[name]
  if va and math.abs(va.raw - vb.raw) > TOLERANCE and math.abs(va.norm - vb.norm) <= TOLERANCE then
    print(string.format("note  %s shown as %.6f (VST2, normalised) and %.6f (VST3, plain)", name, va.raw, vb.raw))
  end
end
local bad, texts = compare(a, b)
report(bad == 0, "fresh values agree between formats", detail(bad, "differ", texts) or (count2 .. " compared"))

-- Factory programs
local load_fail, value_fail, quiet = 0, 0, 0
local peak_gap, peak_text, peak_fail = 0, "", 0
local first_bad = {}
for i = 0, PROGRAM_COUNT - 1 do
  local labels = {}
  for _, f in ipairs(FORMATS) do
    local pr = f.plugin:preset_by_uri(f.uri(f.info.unique_id, i))
    if pr and pr.valid and f.plugin:load_preset(pr) then
      labels[f.key] = pr.label
    else
      load_fail = load_fail + 1
      if #first_bad < 6 then first_bad[#first_bad + 1] = string.format("%s program %d not loaded", f.key, i) end
    end
  end
  settle()
  if labels.vst2 and labels.vst3 then
    if labels.vst2 ~= labels.vst3 and #first_bad < 6 then
      first_bad[#first_bad + 1] = string.format("program %d named '%s' vs '%s'", i, labels.vst2, labels.vst3)
      value_fail = value_fail + 1
    end
    local n, t = compare(read_values(v2), read_values(v3))
    if n > 0 then
      value_fail = value_fail + 1
      if #first_bad < 6 then first_bad[#first_bad + 1] = string.format("program %d '%s': %s", i, labels.vst2, t) end
    end
  end
  local peaks = window_peaks(FORMATS)
  local d2, d3 = peaks.vst2, peaks.vst3
  local text = string.format("program %d '%s' peak %.2f / %.2f dBFS", i, labels.vst2 or "?", d2, d3)
  if not (audible(d2) and audible(d3)) then
    quiet = quiet + 1
    if #first_bad < 6 then first_bad[#first_bad + 1] = text end
  else
    local gap = math.abs(d2 - d3)
    if gap > PEAK_TOLERANCE_DB then peak_fail = peak_fail + 1 end
    if gap > peak_gap then peak_gap, peak_text = gap, text end
  end
end
report(load_fail == 0, "all factory programs load in both formats", load_fail .. " failed loads")
report(value_fail == 0, "every program's values agree between formats", value_fail .. " programs differ")
report(quiet == 0, "every program passes audio (finite, above " .. SILENT_DB .. " dBFS) in both formats",
       quiet .. " quiet")
for _, t in ipairs(first_bad) do print("      " .. t) end
report(peak_fail == 0, string.format("every program's output peak agrees between formats within %.1f dB",
                                    PEAK_TOLERANCE_DB),
       string.format("%d differ; largest gap %.2f dB: %s", peak_fail, peak_gap, peak_text))

-- A program plus one hand-set value, saved and reopened
for _, f in ipairs(FORMATS) do
  f.plugin:load_preset(f.plugin:preset_by_uri(f.uri(f.info.unique_id, SAVED_PROGRAM)))
end
settle()
local hand_ok = true
for _, f in ipairs(FORMATS) do
  local v = read_values(f)[HAND_PARAM]
  hand_ok = hand_ok and v ~= nil and ARDOUR.LuaAPI.set_processor_param(f.proc, v.index, HAND_VALUE)
end
settle()
local before = { vst2 = read_values(v2), vst3 = read_values(v3) }
report(hand_ok and math.abs(before.vst2[HAND_PARAM].norm - HAND_VALUE) <= TOLERANCE
       and math.abs(before.vst3[HAND_PARAM].norm - HAND_VALUE) <= TOLERANCE,
       "hand-set " .. HAND_PARAM .. " reads back in both formats")
local n, t = compare(before.vst2, before.vst3)
report(n == 0, "program " .. SAVED_PROGRAM .. " plus the hand-set value agree between formats",
       detail(n, "differ, VST2 vs VST3", t))

s:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
settle()
report(s:save_state("", false, false, false, false, false) == 0, "session saved")
write_expected(before)
finish()
end

local function reopen()
local before = dofile(EXPECTED_FILE)
local backend = AudioEngine:set_backend("None (Dummy)", "", "")
backend:set_device_name("Sine Wave")
local s = load_session(SESSION_DIR, SESSION_NAME)
report(s ~= nil, "session reopened")
if not s then os.exit(1) end
for _, f in ipairs(FORMATS) do
  f.track = nil
  for t in s:get_tracks():iter() do if t:name() == f.key then f.track = t end end
  f.proc = f.track and f.track:nth_plugin(0) or nil
  local found = f.proc ~= nil and not f.proc:isnil()
  report(found, f.key .. ": plug-in back on its track")
  if not found then os.exit(1) end
  f.plugin = f.proc:to_insert():plugin(0)
end
s:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
settle()
settle()
report(s:transport_rolling(), "transport rolls after the reopen")
for _, f in ipairs(FORMATS) do
  local after = read_values(f)
  local n2, t2 = compare(before[f.key], after)
  report(n2 == 0, f.key .. ": every value read before the save reads the same after the reopen",
         detail(n2, "differ, before vs after", t2))
  local n3, t3 = compare(before.vst2, after)
  report(n3 == 0, f.key .. ": after the reopen every value equals VST2's before the save",
         detail(n3, "differ, VST2 before vs after", t3))
  local db = peak_db(f)
  report(audible(db), f.key .. ": reopened instance passes audio", string.format("peak %.1f dBFS", db))
end
finish()
end

if PHASE == "create" then create() elseif PHASE == "reopen" then reopen() else error("ZV_PHASE: create or reopen") end
