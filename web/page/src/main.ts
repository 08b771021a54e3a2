// The page: shows and says what the tab's session tells it, and sends the player's keys
// as game commands. The game itself runs in tarvelweb.
import type { GameCommand, ServerMessage } from "@generated/messages";
import { Connection } from "./connection";
import { HandView } from "./hand_view";
import { HistoryView } from "./history_view";
import { BINDINGS, bindingFor, chordName, type PageAction } from "./keymap";
import { LiveRegion } from "./live_region";
import { PhrasePlayer, type StartedPhrase } from "./phrase_player";
import { TableDrawing } from "./table_drawing";
import { chosenLanguage, storeLanguage, text, type Language, type TextKey } from "./texts";

type Hearing = "recordings" | "screenReader";
const HEARING_KEY = "tarvel.hearing";

declare global {
  interface Window {
    // What the page's tests read: the recordings started, in order.
    tarvel?: { startedPhrases: StartedPhrase[] };
  }
}

function element<T extends HTMLElement>(id: string): T {
  const found = document.getElementById(id);
  if (!found) throw new Error(`the page lacks #${id}`);
  return found as T;
}

const language: Language = chosenLanguage();
const say = (key: TextKey, argument?: string | number) => text(language, key, argument);
let hearing: Hearing = localStorage.getItem(HEARING_KEY) === "screenReader" ? "screenReader" : "recordings";

document.documentElement.lang = language;
document.title = say("title");
for (const labelled of document.querySelectorAll<HTMLElement>("[data-text]")) {
  labelled.textContent = say(labelled.dataset["text"] as TextKey);
}

const hand = element<HTMLElement>("hand");
const historyList = element<HTMLOListElement>("history");
const notice = element<HTMLElement>("notice");
const message = element<HTMLElement>("message");
const live = new LiveRegion(element("live"));
const player = new PhrasePlayer();
const handView = new HandView(hand, say("yourCards"), say("chooseSuit"));
const historyView = new HistoryView(historyList, say("nothingYet"));
const drawing = new TableDrawing(element<HTMLCanvasElement>("table"));
window.tarvel = { startedPhrases: player.startedPhrases };

// Nothing sounds before the first key or click; that gesture starts the audio.
notice.textContent = say("startNotice");
const firstGesture = () => {
  if (player.unlocked) return;
  player.unlock();
  notice.textContent = "";
};
document.addEventListener("keydown", firstGesture, { capture: true });
document.addEventListener("pointerdown", firstGesture, { capture: true });

function tell(words: string, lang: string): void {
  message.textContent = words;
  live.say(words, lang);
}

const connection = new Connection(language, {
  message: (received: ServerMessage) => {
    switch (received.type) {
      case "sentence":
        if (hearing === "recordings") {
          void player.play(received.phrases.map((phrase) => phrase.file));
        } else {
          live.say(received.text, received.lang);
        }
        break;
      case "table":
        handView.show(received);
        drawing.show(received);
        break;
      case "history":
        historyView.show(received.lines, received.replace);
        break;
      case "notice":
        tell(received.text, language);
        break;
      case "enabled":
        for (const button of document.querySelectorAll<HTMLButtonElement>("button[data-command]")) {
          button.disabled = !received.commands.includes(button.dataset["command"] as GameCommand);
        }
        break;
      case "welcome":
        break;
    }
  },
  lost: () => tell(say("connectionLost"), language),
  back: () => tell(say("connectionBack"), language),
  closed: (reason: string) => tell(say("connectionClosed", reason), language),
});

function send(command: GameCommand): void {
  player.cut(); // a new key cuts the sentence still sounding
  connection.command(command);
}

function act(action: PageAction): void {
  switch (action) {
    case "focusHistory":
      historyList.focus();
      break;
    case "focusHand":
      hand.focus();
      break;
    case "toggleHearing":
      setHearing(hearing === "recordings" ? "screenReader" : "recordings");
      break;
  }
}

document.addEventListener("keydown", (event: KeyboardEvent) => {
  const target = event.target as HTMLElement | null;
  const inHand = target === hand || target === document.body;
  const binding = bindingFor(event, inHand);
  if (!binding) return;
  event.preventDefault();
  if (binding.command) send(binding.command);
  if (binding.action) act(binding.action);
});

for (const button of document.querySelectorAll<HTMLButtonElement>("button[data-command]")) {
  button.addEventListener("click", () => send(button.dataset["command"] as GameCommand));
}

// How the game is heard: the recordings, or the player's screen reader.
const hearingChoices = document.querySelectorAll<HTMLInputElement>("input[name=hearing]");
function setHearing(chosen: Hearing): void {
  hearing = chosen;
  localStorage.setItem(HEARING_KEY, chosen);
  if (chosen === "screenReader") player.cut();
  for (const choice of hearingChoices) choice.checked = choice.value === chosen;
}
for (const choice of hearingChoices) {
  choice.addEventListener("change", () => setHearing(choice.value as Hearing));
}
setHearing(hearing);

// The language takes effect at the next load, as on the desktop.
const languageChoice = element<HTMLSelectElement>("language");
languageChoice.value = language;
languageChoice.addEventListener("change", () => {
  storeLanguage(languageChoice.value === "en" ? "en" : "cs");
  tell(say("restartToApply"), language);
});

// The list of keys, made from the key table itself.
const keyRows = element<HTMLTableSectionElement>("keys");
for (const binding of BINDINGS) {
  const row = keyRows.insertRow();
  row.insertCell().textContent = binding.chords.map((chord) => chordName(chord, language)).join(`, `);
  row.insertCell().textContent = say(binding.label);
}

connection.open();
