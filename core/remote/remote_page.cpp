#include "core/remote/remote_page.h"

namespace {

// Dark, as a stage is; the buttons a phone's thumb uses sit at the bottom.
// The script follows the run through server-sent events, counts the hold
// down between them, and passes the page's own ?token= on to each call.
// "?selftest=next" presses Next once the run is seen, then marks the page
// when the scene changes: a browser run from a test reads the mark.
const char* const PAGE = R"PAGE(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1, viewport-fit=cover">
<meta name="referrer" content="no-referrer">
<title>Lumivane remote</title>
<style>
:root { color-scheme: dark; --accent: #f5b400; --panel: #1d1f24; --text: #f2f2f2; --dim: #9aa0a8; }
* { box-sizing: border-box; }
html, body { margin: 0; height: 100%; }
body { background: #0d0e11; color: var(--text); font: 18px/1.3 system-ui, sans-serif;
       display: flex; flex-direction: column; -webkit-tap-highlight-color: transparent; }
header { display: flex; justify-content: space-between; align-items: center; padding: 10px 16px; color: var(--dim); }
#run { text-transform: uppercase; letter-spacing: .08em; font-weight: 600; }
#run.running { color: #5fd35f; } #run.paused { color: var(--accent); } #run.stopped { color: var(--dim); }
#link.down { color: #ff6b6b; }
#now { padding: 4px 16px 12px; }
#scene { display: flex; align-items: baseline; gap: 12px; }
#number { font-size: 56px; font-weight: 700; min-width: 1.2em; }
#name { font-size: 28px; font-weight: 600; overflow-wrap: anywhere; }
#times { display: flex; gap: 24px; margin-top: 4px; font-size: 22px; font-variant-numeric: tabular-nums; }
#late.behind { color: #ff6b6b; }
#boards { display: flex; flex-wrap: wrap; gap: 6px; padding: 0 16px 8px; }
#boards span { width: 28px; height: 28px; border-radius: 6px; border: 1px solid #444; }
#message { min-height: 1.4em; padding: 0 16px; color: #ff6b6b; }
#scenes { flex: 1; overflow-y: auto; list-style: none; margin: 0; padding: 8px 16px; }
#scenes button { width: 100%; min-height: 52px; margin: 4px 0; text-align: left; padding: 0 14px; font-size: 20px;
                 background: var(--panel); color: var(--text); border: 2px solid transparent; border-radius: 10px; }
#scenes button.current { border-color: var(--accent); }
#scenes b { display: inline-block; min-width: 2.2em; color: var(--dim); }
#controls { position: sticky; bottom: 0; background: #0d0e11; padding: 8px 12px calc(12px + env(safe-area-inset-bottom));
            display: grid; grid-template-columns: 1fr 1.3fr 1fr; gap: 8px; }
#controls button { min-height: 76px; font-size: 22px; font-weight: 600; border: 0; border-radius: 14px;
                   background: var(--panel); color: var(--text); touch-action: manipulation; }
#controls button:active, #scenes button:active { filter: brightness(1.6); }
#controls #next { background: var(--accent); color: #111; }
#controls .small { min-height: 56px; font-size: 18px; }
</style>
</head>
<body>
<header><span id="run" class="stopped">stopped</span><span id="link">connecting</span></header>
<section id="now">
  <div id="scene"><span id="number">-</span><span id="name"></span></div>
  <div id="times"><span id="remaining"></span><span id="late"></span></div>
</section>
<div id="boards"></div>
<div id="message" role="status"></div>
<ol id="scenes"></ol>
<nav id="controls">
  <button id="previous">&#9664; Prev</button>
  <button id="pause">Pause</button>
  <button id="next">Next &#9654;</button>
  <button id="restart" class="small">Restart</button>
  <button id="start" class="small">Run</button>
  <button id="stop" class="small">Stop</button>
</nav>
<script>
"use strict";
const params = new URLSearchParams(location.search);
const token = params.get("token");
const selftest = params.get("selftest");
const $ = (id) => document.getElementById(id);
let state = null, receivedAt = 0, sceneNames = "", events = null, selftestFrom = 0;

function api(path) { return path + (token ? "?token=" + encodeURIComponent(token) : ""); }

async function act(action) {
  try {
    const answer = await fetch(api("/api/" + action), { method: "POST" });
    const body = await answer.json();
    if (answer.ok) { $("message").textContent = ""; show(body); }
    else { $("message").textContent = body.error || answer.statusText; }
  } catch (error) {
    $("message").textContent = "No answer from the player";
  }
}

function seconds(value) { return value.toFixed(1) + " s"; }

function tick() {
  if (!state) return;
  let left = state.remaining;
  if (state.state === "running") left = Math.max(0, left - (performance.now() - receivedAt) / 1000);
  $("remaining").textContent = state.state === "stopped" || state.remaining <= 0 ? "" : "Hold " + seconds(left);
}

function showScenes() {
  const names = JSON.stringify(state.scenes);
  if (names !== sceneNames) {
    sceneNames = names;
    const list = $("scenes");
    list.textContent = "";
    state.scenes.forEach((name, index) => {
      const item = document.createElement("li");
      const button = document.createElement("button");
      const number = document.createElement("b");
      number.textContent = index + 1;
      button.append(number, name);
      button.onclick = () => act("scene/" + (index + 1));
      item.append(button);
      list.append(item);
    });
  }
  Array.from($("scenes").querySelectorAll("button")).forEach((button, index) => {
    button.classList.toggle("current", index + 1 === state.scene);
  });
}

function showBoards() {
  const boards = $("boards");
  boards.textContent = "";
  (state.boards || []).forEach((colour, index) => {
    const swatch = document.createElement("span");
    swatch.style.background = colour;
    swatch.title = "Board " + (index + 1) + ": " + colour;
    boards.append(swatch);
  });
}

function show(next) {
  state = next;
  receivedAt = performance.now();
  $("run").textContent = state.state;
  $("run").className = state.state;
  $("number").textContent = state.scene > 0 ? state.scene : "-";
  $("name").textContent = state.name;
  $("late").textContent = state.state === "stopped" ? "" : state.late >= 0.001 ? "Late " + seconds(state.late) : "On time";
  $("late").className = state.late >= 0.001 ? "behind" : "";
  $("pause").textContent = state.state === "paused" ? "Resume" : "Pause";
  showScenes();
  showBoards();
  tick();
  checkSelf();
}

function checkSelf() {
  if (selftest !== "next" || !state || state.scene < 1) return;
  if (!selftestFrom) {
    selftestFrom = state.scene;
    $("next").click();
  } else if (state.scene !== selftestFrom && !document.documentElement.dataset.selftest) {
    document.documentElement.dataset.selftest = "passed " + selftestFrom + " to " + state.scene;
    if (events) events.close();
  }
}

async function refresh() {
  try {
    const answer = await fetch(api("/api/state"));
    if (answer.ok) show(await answer.json());
  } catch (error) {
    $("link").textContent = "no connection";
  }
}

function listen() {
  events = new EventSource(api("/api/events"));
  events.addEventListener("state", (event) => show(JSON.parse(event.data)));
  events.onopen = () => { $("link").textContent = "live"; $("link").className = ""; };
  events.onerror = () => { $("link").textContent = "reconnecting"; $("link").className = "down"; };
}

$("previous").onclick = () => act("previous");
$("next").onclick = () => act("next");
$("pause").onclick = () => act(state && state.state === "paused" ? "resume" : "pause");
$("restart").onclick = () => act("restart");
$("start").onclick = () => act("run");
$("stop").onclick = () => act("stop");
setInterval(tick, 100);
refresh();
listen();
</script>
</body>
</html>
)PAGE";

}  // namespace

const char* RemotePage() { return PAGE; }
