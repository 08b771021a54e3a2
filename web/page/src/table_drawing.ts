// The table drawn for a sighted helper from the card pictures, scaled to the window: the
// opponent's backs, the stock and the pile, the hand with the selected card raised, and
// the suit choice. The pictures keep magenta (#FF00FF) outside their rounded corners,
// which is made transparent here once per picture.
import type { TableMessage } from "@generated/messages";

// The pictures' size in pixels, and how far a card overlaps the next in a row.
const CARD_WIDTH = 67;
const CARD_HEIGHT = 103;
const SPREAD = 22;
const MARGIN = 12;

export class TableDrawing {
  private readonly pictures = new Map<string, Promise<HTMLCanvasElement | null>>();
  private last: TableMessage | null = null;

  constructor(private readonly canvas: HTMLCanvasElement) {
    new ResizeObserver(() => this.redraw()).observe(canvas);
  }

  show(table: TableMessage): void {
    this.last = table;
    this.redraw();
  }

  private async redraw(): Promise<void> {
    const table = this.last;
    if (table === null) return;
    const rowLength = Math.max(table.hand.length, table.opponentCount, 8);
    const width = MARGIN * 2 + CARD_WIDTH + SPREAD * (rowLength - 1);
    const height = MARGIN * 4 + CARD_HEIGHT * 3 + 16;
    const scale = Math.max(this.canvas.clientWidth, 1) / width;
    const ratio = window.devicePixelRatio || 1;
    const images = await this.picturesOf(table);
    if (table !== this.last) return; // a newer table came while the pictures loaded
    this.canvas.width = Math.round(width * scale * ratio);
    this.canvas.height = Math.round(height * scale * ratio);
    this.canvas.style.height = `${Math.round(height * scale)}px`;
    const g = this.canvas.getContext("2d");
    if (!g) return;
    g.setTransform(scale * ratio, 0, 0, scale * ratio, 0, 0);
    g.fillStyle = "#0b6623";
    g.fillRect(0, 0, width, height);
    const put = (name: string, x: number, y: number) => {
      const picture = images.get(name);
      if (picture) g.drawImage(picture, x, y);
    };
    for (let i = 0; i < table.opponentCount; i++) put("emp", MARGIN + i * SPREAD, MARGIN);
    const middle = MARGIN * 2 + CARD_HEIGHT;
    if (table.stock > 0) put("emp", MARGIN, middle);
    const top = table.pile[0];
    if (top) put(top.picture, MARGIN * 2 + CARD_WIDTH, middle);
    const asked = table.requestedSuit[0];
    if (asked) put(asked.picture, MARGIN * 3 + CARD_WIDTH * 2, middle + 8);
    table.suits.forEach((suit, i) => {
      put(suit.picture, MARGIN * 4 + CARD_WIDTH * 2 + i * 28, middle + (i === table.selectedSuit ? 40 : 50));
    });
    const bottom = MARGIN * 3 + CARD_HEIGHT * 2 + 16;
    table.hand.forEach((card, i) => put(card.picture, MARGIN + i * SPREAD, bottom - (i === table.selected ? 14 : 0)));
  }

  private async picturesOf(table: TableMessage): Promise<Map<string, HTMLCanvasElement | null>> {
    const names = new Set<string>(["emp"]);
    for (const item of [...table.hand, ...table.suits, ...table.pile, ...table.requestedSuit]) names.add(item.picture);
    const entries = await Promise.all([...names].map(async (name) => [name, await this.picture(name)] as const));
    return new Map(entries);
  }

  private picture(name: string): Promise<HTMLCanvasElement | null> {
    let picture = this.pictures.get(name);
    if (!picture) {
      picture = new Promise((resolve) => {
        const image = new Image();
        image.onload = () => resolve(withoutMagenta(image));
        image.onerror = () => resolve(null);
        image.src = `karty/${encodeURIComponent(name)}.bmp`;
      });
      this.pictures.set(name, picture);
    }
    return picture;
  }
}

function withoutMagenta(image: HTMLImageElement): HTMLCanvasElement {
  const canvas = document.createElement("canvas");
  canvas.width = image.naturalWidth;
  canvas.height = image.naturalHeight;
  const g = canvas.getContext("2d");
  if (!g) return canvas;
  g.drawImage(image, 0, 0);
  const pixels = g.getImageData(0, 0, canvas.width, canvas.height);
  const data = pixels.data;
  for (let i = 0; i < data.length; i += 4) {
    if (data[i] === 255 && data[i + 1] === 0 && data[i + 2] === 255) data[i + 3] = 0;
  }
  g.putImageData(pixels, 0, 0);
  return canvas;
}
