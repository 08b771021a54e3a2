// The game settings of the desktop's dialog, kept in this browser (localStorage) and
// handed to the tab's session after each hello and at each change. The page knows
// nothing of what they mean: it keeps them and sends them; the session plays by them.
import type { SettingsMessage } from "@generated/messages";

const SETTINGS_KEY = "tarvel.settings";
const NAME_KEY = "tarvel.name";
const SCORES_KEY = "tarvel.scores";

export type GameSettings = Omit<SettingsMessage, "type">;

const DEFAULTS: GameSettings = {
  pickupForSeven: 2,
  kingOfSpades: false,
  returnToGame: false,
  playForPoints: false,
  numberOfGames: 3,
  compulsory: true,
  shuffleCards: false,
  dealtCards: 5,
  gender: "m",
  useTable: false,
  computerLevel: 0,
};

function wholeIn(value: unknown, lowest: number, highest: number, fallback: number): number {
  return typeof value === "number" && Number.isInteger(value) && value >= lowest && value <= highest ? value : fallback;
}

// What the browser kept, each value checked: a damaged entry gives its default.
export function storedSettings(): GameSettings {
  let kept: Partial<Record<keyof GameSettings, unknown>> = {};
  try {
    const parsed: unknown = JSON.parse(localStorage.getItem(SETTINGS_KEY) ?? "{}");
    if (parsed !== null && typeof parsed === "object") kept = parsed;
  } catch {
    // Not JSON: the defaults.
  }
  const flag = (key: keyof GameSettings) => (typeof kept[key] === "boolean" ? (kept[key] as boolean) : (DEFAULTS[key] as boolean));
  return {
    pickupForSeven: wholeIn(kept.pickupForSeven, 2, 3, DEFAULTS.pickupForSeven),
    kingOfSpades: flag("kingOfSpades"),
    returnToGame: flag("returnToGame"),
    playForPoints: flag("playForPoints"),
    numberOfGames: wholeIn(kept.numberOfGames, 0, 99, DEFAULTS.numberOfGames),
    compulsory: flag("compulsory"),
    shuffleCards: flag("shuffleCards"),
    dealtCards: wholeIn(kept.dealtCards, 4, 10, DEFAULTS.dealtCards),
    gender: kept.gender === "z" ? "z" : "m",
    useTable: flag("useTable"),
    computerLevel: wholeIn(kept.computerLevel, 0, 1, DEFAULTS.computerLevel),
  };
}

export function storeSettings(settings: GameSettings): void {
  localStorage.setItem(SETTINGS_KEY, JSON.stringify(settings));
}

// The table of best results as tarvelweb last sent it (base64), or nothing.
export function storedScores(): string | null {
  return localStorage.getItem(SCORES_KEY);
}

export function storeScores(table: string): void {
  localStorage.setItem(SCORES_KEY, table);
}

export function storedName(): string {
  return localStorage.getItem(NAME_KEY) ?? "";
}

export function storeName(name: string): void {
  localStorage.setItem(NAME_KEY, name);
}

// The form shows the settings, and reads them back whole when one changes; a number
// typed outside its range keeps the value before it.
export class SettingsForm {
  constructor(
    private readonly form: HTMLFormElement,
    private readonly changed: (settings: GameSettings) => void,
  ) {
    form.addEventListener("submit", (event) => event.preventDefault());
    form.addEventListener("change", () => {
      storeName(this.input("name").value);
      const settings = this.read();
      storeSettings(settings);
      this.show(settings);
      this.changed(settings);
    });
  }

  show(settings: GameSettings): void {
    this.input("name").value = storedName();
    for (const [key, value] of Object.entries(settings)) {
      const fields = this.form.querySelectorAll<HTMLInputElement>(`input[name=${key}]`);
      for (const field of fields) {
        if (field.type === "checkbox") field.checked = value === true;
        else if (field.type === "radio") field.checked = field.value === String(value);
        else field.value = String(value);
      }
    }
  }

  private read(): GameSettings {
    const before = storedSettings();
    const checked = (name: string) => this.input(name).checked;
    const chosen = (name: string) => this.form.querySelector<HTMLInputElement>(`input[name=${name}]:checked`)?.value;
    const whole = (name: string, lowest: number, highest: number, fallback: number) =>
      wholeIn(Number(this.input(name).value), lowest, highest, fallback);
    return {
      pickupForSeven: wholeIn(Number(chosen("pickupForSeven")), 2, 3, before.pickupForSeven),
      kingOfSpades: checked("kingOfSpades"),
      returnToGame: checked("returnToGame"),
      playForPoints: checked("playForPoints"),
      numberOfGames: whole("numberOfGames", 0, 99, before.numberOfGames),
      compulsory: checked("compulsory"),
      shuffleCards: checked("shuffleCards"),
      dealtCards: whole("dealtCards", 4, 10, before.dealtCards),
      gender: chosen("gender") === "z" ? "z" : "m",
      useTable: checked("useTable"),
      computerLevel: wholeIn(Number(chosen("computerLevel")), 0, 1, before.computerLevel),
    };
  }

  private input(name: string): HTMLInputElement {
    const found = this.form.querySelector<HTMLInputElement>(`input[name=${name}]`);
    if (!found) throw new Error(`the settings lack ${name}`);
    return found;
  }
}
