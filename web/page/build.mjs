// Type-checks the page with tsc and bundles it with esbuild: node build.mjs GENERATED OUT
// GENERATED holds the modules printed from the C++ tables (imported as "@generated/...").
// Any type error or bundler warning fails the build.
import { build } from "esbuild";
import { execFileSync } from "node:child_process";
import { copyFileSync, mkdirSync, writeFileSync } from "node:fs";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const [generated, out] = process.argv.slice(2).map((path) => resolve(path));
if (!generated || !out) {
  console.error("usage: node build.mjs GENERATED OUT");
  process.exit(2);
}
mkdirSync(out, { recursive: true });

const tsconfig = join(out, "tsconfig.json");
writeFileSync(tsconfig, JSON.stringify({
  extends: join(here, "tsconfig.json"),
  compilerOptions: { paths: { "@generated/*": [join(generated, "*")] }, noEmit: true },
  include: [join(here, "src", "*.ts"), join(generated, "*.ts")],
}));
try {
  execFileSync(join(here, "node_modules", ".bin", "tsc"), ["-p", tsconfig], { stdio: "inherit" });
} catch {
  process.exit(1);
}

const generatedModules = {
  name: "generated",
  setup(builder) {
    builder.onResolve({ filter: /^@generated\// }, (args) => ({
      path: join(generated, args.path.slice("@generated/".length) + ".ts"),
    }));
  },
};
const result = await build({
  entryPoints: [join(here, "src", "main.ts")],
  bundle: true,
  outfile: join(out, "tarvel.js"),
  format: "iife",
  target: "es2020",
  plugins: [generatedModules],
  logLevel: "warning",
});
if (result.warnings.length > 0) process.exit(1);
copyFileSync(join(here, "index.html"), join(out, "index.html"));
copyFileSync(join(here, "tarvel.css"), join(out, "tarvel.css"));
