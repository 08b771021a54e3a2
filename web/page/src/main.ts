// The page: shows and says what the tab's session tells it, and sends the player's keys
// as game commands. The game itself runs in tarvelweb.
import type { GameCommand, NetworkMessage, ServerMessage } from "@generated/messages";
import { Connection } from "./connection";
import { HandView } from "./hand_view";
import { HistoryView } from "./history_view";
import { BINDINGS, bindingFor, chordName, type PageAction } from "./keymap";
import { LiveRegion } from "./live_region";
import { PhrasePlayer, type StartedPhrase } from "./phrase_player";
import { ScoresView } from "./scores_view";
import { SettingsForm, storedName, storedScores, storedSettings, storeScores } from "./settings";
import { TableDrawing } from "./table_drawing";
import { chosenLanguage, storeLanguage, text, type Language, type TextKey } from "./texts";

type Hearing = "recordings" | "screenReader";
const HEARING_KEY = "tarvel.hearing";
const TABLE_KEY = "tarvel.table";
// The messages list of this tab's session, kept where its secret is (sessionStorage): a
// reload shows the conversation as it was.
const CHAT_KEY = "tarvel.chat";

declare global {
  interface Window {
    // What the page's tests read: the recordings started, in order, and how many
    // commands have been answered.
    tarvel?: { startedPhrases: StartedPhrase[]; answers: number };
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
const networkForm = element<HTMLFormElement>("network-form");
const tableName = element<HTMLInputElement>("table-name");
const waitBox = element<HTMLElement>("network-wait");
const waitText = element<HTMLElement>("wait-text");
const chatForm = element<HTMLFormElement>("chat-form");
const chatText = element<HTMLInputElement>("chat-text");
const chatLog = element<HTMLOListElement>("chat-log");
tableName.value = localStorage.getItem(TABLE_KEY) ?? "";
for (const line of keptChatLines()) appendChatItem(line);
// The network match's moment as tarvelweb last told it.
let network: Omit<NetworkMessage, "type"> = { waiting: false, noAnswer: false, returning: false, match: false };
const player = new PhrasePlayer();
const handView = new HandView(hand, say("yourCards"), say("chooseSuit"));
const historyView = new HistoryView(historyList, say("nothingYet"));
const drawing = new TableDrawing(element<HTMLCanvasElement>("table"));
const testHook = { startedPhrases: player.startedPhrases, answers: 0 };
window.tarvel = testHook;
const scores = new ScoresView(element("scores"), {
  write: (name: string) => connection.scoreName(name),
  close: () => send("closeScores"),
});
const settingsForm = new SettingsForm(element<HTMLFormElement>("settings"), (changed) => connection.settings(changed));
settingsForm.show(storedSettings());

// Nothing sounds before the first key or click; that gesture starts the audio.
notice.textContent = say("startNotice");
const firstGesture = () => {
  if (player.unlocked) return;
  player.unlock();
  notice.textContent = "";
};
document.addEventListener("keydown", firstGesture, { capture: true });
document.addEventListener("pointerdown", firstGesture, { capture: true });

// A message for the player: shown above the cards and told to the screen reader.
function tell(words: string, lang: string): void {
  notice.textContent = words;
  live.say(words, lang);
}

const connection = new Connection(language, {
  message: (received: ServerMessage) => {
    switch (received.type) {
      case "sentence": {
        const moved = selectionAsked !== null && handView.selectionKey() !== selectionAsked;
        selectionAsked = null;
        testHook.answers += 1;
        if (hearing === "recordings") {
          if (received.phrases.length > 0) void player.play(received.phrases.map((phrase) => phrase.file));
        } else if (!moved) {
          // A selection that moved in the focused list is read by the screen reader from
          // the list's active descendant; the live region would say it a second time.
          live.say(received.text, received.lang);
        }
        break;
      }
      case "table":
        handView.show(received);
        drawing.show(received);
        message.textContent = received.line; // the message line, for eyes: its words were said
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
      case "scores":
        // Its words come with the answer's sentence.
        scores.show(received, storedName());
        break;
      case "keepScores":
        storeScores(received.table);
        break;
      case "network":
        showNetwork(received);
        break;
      case "chatReceived":
        chatLine(say("opponent"), received.text);
        // A screen reader hears it with the answer's sentence; there is no recording of it.
        if (hearing === "recordings") live.say(say("opponentMessage", received.text), language);
        break;
      case "welcome": {
        // The session plays by this browser's settings, also after a reload; a new one
        // takes the table of best results this browser keeps.
        connection.settings(storedSettings());
        const kept = storedScores();
        if (!received.resumed && kept !== null) connection.keptScores(kept);
        if (!received.resumed) scoresClosed();
        // A new session has said nothing yet: the lines kept were another one's.
        if (!received.resumed && keptChatLines().length > 0) {
          sessionStorage.removeItem(CHAT_KEY);
          chatLog.replaceChildren();
        }
        break;
      }
    }
  },
  lost: () => tell(say("connectionLost"), language),
  back: () => tell(say("connectionBack"), language),
  closed: (reason: string) => tell(say("connectionClosed", reason), language),
});

// While the hand has the focus, the selection as it was when a selection key was sent.
let selectionAsked: string | null = null;
const SELECTION_COMMANDS: GameCommand[] = ["left", "right", "first", "last"];

function send(command: GameCommand): void {
  player.cut(); // a new key cuts the sentence still sounding
  if (command === "closeScores") scoresClosed();
  selectionAsked =
    SELECTION_COMMANDS.includes(command) && document.activeElement === hand ? handView.selectionKey() : null;
  connection.command(command);
}

// The wait is said when it begins and when the server is slow to answer; the chat is
// offered while a network match runs.
function showNetwork(now: Omit<NetworkMessage, "type">): void {
  const was = network;
  network = now;
  waitBox.hidden = !now.waiting;
  if (now.waiting && !was.waiting) {
    waitText.textContent = say("waitOpponent");
    tell(say("waitOpponent"), language);
  }
  if (now.noAnswer && !was.noAnswer) {
    waitText.textContent = say("noAnswerYet");
    tell(say("noAnswerYet"), language);
  }
  // Coming back after the server's connection was lost, and back: said, as the desktop
  // shows it in its message line.
  if (now.returning && !was.returning) tell(say("serverLost"), language);
  if (!now.returning && was.returning && now.match) tell(say("serverBack"), language);
  // The wait's words stay above the cards only while it lasts.
  const waitWords = [say("waitOpponent"), say("noAnswerYet")];
  if (!now.waiting && was.waiting && waitWords.includes(notice.textContent ?? "")) notice.textContent = "";
  chatForm.hidden = !now.match;
  if (!now.match && document.activeElement === chatText) hand.focus();
}

function chatLine(who: string, words: string): void {
  const line = `${who}: ${words}`;
  appendChatItem(line);
  sessionStorage.setItem(CHAT_KEY, JSON.stringify([...keptChatLines(), line]));
}

function appendChatItem(line: string): void {
  const item = document.createElement("li");
  item.textContent = line;
  chatLog.append(item);
}

function keptChatLines(): string[] {
  try {
    const kept: unknown = JSON.parse(sessionStorage.getItem(CHAT_KEY) ?? "[]");
    return Array.isArray(kept) ? kept.filter((line): line is string => typeof line === "string") : [];
  } catch {
    return []; // changed by hand: the list starts afresh
  }
}

function scoresClosed(): void {
  if (scores.hide()) hand.focus();
}

function act(action: PageAction): void {
  switch (action) {
    case "focusHistory":
      historyList.focus();
      break;
    case "focusHand":
      // Escape is the wait's Cancel, as on the desktop.
      if (network.waiting) send("stopWaiting");
      else if (network.returning) send("giveUpReturn");
      else hand.focus();
      break;
    case "networkGame":
      tableName.focus();
      tableName.select();
      break;
    case "chat":
      if (network.match) chatText.focus();
      else tell(say("noMatchRunning"), language);
      break;
    case "scores":
      if (scores.open) scores.focus();
      else send("showScores");
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

networkForm.addEventListener("submit", (event) => {
  event.preventDefault();
  localStorage.setItem(TABLE_KEY, tableName.value);
  player.cut();
  connection.networkMatch(tableName.value);
  hand.focus();
});

chatForm.addEventListener("submit", (event) => {
  event.preventDefault();
  const words = chatText.value;
  if (words.trim() === "") return;
  connection.chat(words);
  chatLine(say("you"), words);
  chatText.value = "";
});

// Escape leaves a field for the cards, as it leaves the history.
for (const field of [tableName, chatText]) {
  field.addEventListener("keydown", (event: KeyboardEvent) => {
    if (event.key !== "Escape") return;
    event.preventDefault();
    event.stopPropagation();
    hand.focus();
  });
}

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
