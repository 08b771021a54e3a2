// The page's texts in the language the player chose.
import { TEXTS, type Language, type TextKey } from "@generated/texts";

export type { Language, TextKey };

const LANGUAGE_KEY = "tarvel.language";

// The language chosen on this browser, else the browser's own when it is Czech or English.
export function chosenLanguage(): Language {
  const stored = localStorage.getItem(LANGUAGE_KEY);
  if (stored === "cs" || stored === "en") return stored;
  return navigator.language.toLowerCase().startsWith("en") ? "en" : "cs";
}

export function storeLanguage(language: Language): void {
  localStorage.setItem(LANGUAGE_KEY, language);
}

export function text(language: Language, key: TextKey, argument?: string | number): string {
  const found: string = TEXTS[language][key];
  return argument === undefined ? found : found.replace("%1", String(argument));
}
