// The player's hand as a list box whose active descendant is the selected card, so a
// screen reader switches to its focus mode by itself and reads each card as it is
// selected. During a suit choice the list holds the four suits. The focus stays where
// the player put it: the list only changes what it shows.
import type { TableMessage } from "@generated/messages";

export class HandView {
  constructor(
    private readonly list: HTMLElement,
    private readonly handLabel: string,
    private readonly suitLabel: string,
  ) {
    list.setAttribute("aria-label", handLabel);
  }

  // What is selected, in one word: the list and the item.
  selectionKey(): string {
    return this.list.getAttribute("aria-activedescendant") ?? "";
  }

  show(table: TableMessage): void {
    const choosingSuit = table.suits.length > 0;
    const items = choosingSuit ? table.suits : table.hand;
    const selected = choosingSuit ? table.selectedSuit : table.selected;
    this.list.setAttribute("aria-label", choosingSuit ? this.suitLabel : this.handLabel);
    const options = items.map((item, index) => {
      const option = document.createElement("div");
      option.setAttribute("role", "option");
      option.id = `${choosingSuit ? "suit" : "card"}-${index}`;
      option.setAttribute("aria-selected", String(index === selected));
      option.setAttribute("aria-posinset", String(index + 1));
      option.setAttribute("aria-setsize", String(items.length));
      option.textContent = item.name;
      return option;
    });
    this.list.replaceChildren(...options);
    const active = options[selected];
    if (active) {
      this.list.setAttribute("aria-activedescendant", active.id);
    } else {
      this.list.removeAttribute("aria-activedescendant");
    }
  }
}
